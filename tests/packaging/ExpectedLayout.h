#pragma once

#include <vector>

// Everything an installation holds below its prefix, and nothing more.
enum class EntryKind {
    Program, // executable file
    Library, // shared library; its mode is the platform's choice
    Data,    // file without execute permission
    Link,    // symbolic link
};

struct ExpectedEntry {
    const char* path;
    EntryKind kind;
};

inline const std::vector<ExpectedEntry>& ExpectedLayout() {
    static const std::vector<ExpectedEntry> entries = {
        {"bin/quelvorant", EntryKind::Link},
        {"bin/quelvorant-cli", EntryKind::Link},
        {"bin/he3", EntryKind::Program},
        {"lib/quelvorant/quelvorant", EntryKind::Program},
        {"lib/quelvorant/quelvorant-cli", EntryKind::Program},
        {"lib/quelvorant/libQuelCore.so", EntryKind::Library},
        {"lib/quelvorant/Quelvorant.exe", EntryKind::Data},
        {"share/applications/quelvorant.desktop", EntryKind::Data},
        {"share/icons/hicolor/48x48/apps/quelvorant.png", EntryKind::Data},
        {"share/icons/hicolor/128x128/apps/quelvorant.png", EntryKind::Data},
        {"share/icons/hicolor/scalable/apps/quelvorant.svg", EntryKind::Data},
        {"share/doc/quelvorant/README.md", EntryKind::Data},
        {"share/doc/quelvorant/LICENSE", EntryKind::Data},
        {"share/doc/quelvorant/copyright", EntryKind::Data},
        {"share/doc/quelvorant/changelog.gz", EntryKind::Data},
        {"share/man/man1/quelvorant.1.gz", EntryKind::Data},
        {"share/man/man1/quelvorant-cli.1.gz", EntryKind::Data},
        {"share/man/man1/he3.1.gz", EntryKind::Data},
        {"share/quelvorant/ansible/fleet.yml", EntryKind::Data},
        {"share/quelvorant/ansible/group_vars/quelvorant.yml", EntryKind::Data},
        {"share/quelvorant/ansible/inventory.example.ini", EntryKind::Data},
        {"share/quelvorant/ansible/README.md", EntryKind::Data},
    };
    return entries;
}
