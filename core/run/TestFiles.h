#pragma once

#include <string>

// The files of a benchmark run: the test input in the program's folder, the
// files the passes write in the work folder.
struct TestFiles {
    std::string Input;        // the test input, read by every compression pass
    std::string Compressed;   // written by compression, read by decompression
    std::string Decompressed; // written by decompression

    static TestFiles In(const std::string& inputDirectory, const std::string& workDirectory) {
        return TestFiles{inputDirectory + "/Quelvorant.exe", workDirectory + "/QuelTest.HAr",
                         workDirectory + "/QuelTest2.dat"};
    }
};
