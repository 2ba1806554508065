#pragma once

#include "facts/ProcessorLibrary.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

// Scripted answers of the processor-information library, with a record of
// the calls made.
class FakeProcessorLibrary : public ProcessorLibrary {
  public:
    std::uint8_t Type = 0, Family = 6, Model = 7, Stepping = 3;
    std::uint8_t Ext[3] = {1, 2, 3};
    // Written into the name buffer as given, then a NUL.
    std::string Name = "Fake Processor";
    std::string Extra = "FakeVendor";
    std::int16_t Speed = 1000;
    std::int16_t Usage = 0;
    // Readings given one by one before Usage, as the real library's change
    // from the one since boot to the ones since the last reading.
    std::vector<std::int16_t> Readings;
    // Answer per capability code; codes not listed answer CapsDefault.
    std::map<std::int32_t, std::int32_t> Caps;
    std::int32_t CapsDefault = 0;

    std::vector<std::string> Calls;
    std::vector<std::int32_t> CapsAsked;

    void GetCPU_Info(std::uint8_t& type, std::uint8_t& family, std::uint8_t& model,
                     std::uint8_t& stepping) override {
        Calls.push_back("Info");
        type = Type;
        family = Family;
        model = Model;
        stepping = Stepping;
    }
    void GetCPU_ExtInfo(std::uint8_t& first, std::uint8_t& second, std::uint8_t& third) override {
        Calls.push_back("ExtInfo");
        first = Ext[0];
        second = Ext[1];
        third = Ext[2];
    }
    void GetCPU_String(char* name48, char* extra16) override {
        Calls.push_back("String");
        std::memcpy(name48, Name.c_str(), Name.size() + 1);
        std::memcpy(extra16, Extra.c_str(), Extra.size() + 1);
    }
    std::int32_t GetCPU_Caps(std::int32_t code) override {
        Calls.push_back("Caps");
        CapsAsked.push_back(code);
        const auto answer = Caps.find(code);
        return answer == Caps.end() ? CapsDefault : answer->second;
    }
    std::int16_t GetCPU_Speed() override {
        Calls.push_back("Speed");
        return Speed;
    }
    std::int16_t GetCPU_Usage() override {
        Calls.push_back("Usage");
        if (!Readings.empty()) {
            const std::int16_t reading = Readings.front();
            Readings.erase(Readings.begin());
            return reading;
        }
        return Usage;
    }
};
