#pragma once

#include <string>

// The files of a benchmark run, in the folder that holds them.
struct TestFiles {
    std::string Input;        // the test input, read by every compression pass
    std::string Compressed;   // written by compression, read by decompression
    std::string Decompressed; // written by decompression

    static TestFiles In(const std::string& directory) {
        return TestFiles{directory + "/Quelvorant.exe", directory + "/QuelTest.HAr",
                         directory + "/QuelTest2.dat"};
    }
};
