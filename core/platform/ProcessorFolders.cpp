#include "platform/ProcessorFolders.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

std::vector<std::string> ProcessorFolders(const std::string& root) {
    const std::string cpus = "/sys/devices/system/cpu";
    std::vector<unsigned> numbers;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root + cpus, error)) {
        const std::string name = entry.path().filename().string();
        unsigned number = 0;
        const char* end = name.data() + name.size();
        if (name.size() > 3 && name.compare(0, 3, "cpu") == 0) {
            const auto [stop, failure] = std::from_chars(name.data() + 3, end, number);
            if (failure == std::errc() && stop == end) {
                numbers.push_back(number);
            }
        }
    }
    std::sort(numbers.begin(), numbers.end());
    std::vector<std::string> folders;
    for (const unsigned number : numbers) {
        folders.push_back(cpus + "/cpu" + std::to_string(number));
    }
    return folders;
}
