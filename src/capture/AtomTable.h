#pragma once
// A table of named atoms: adding a name that is already there returns its
// atom and counts one more reference; deleting drops one reference and frees
// the atom with the last one. Names compare without regard to ASCII case.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

using TAtom = std::uint16_t;

class AtomTable {
public:
    static constexpr TAtom kFirstAtom = 0xC000;
    static constexpr TAtom kLastAtom = 0xFFFF;
    static constexpr std::size_t kMaxNameLength = 255;

    // 0 when the name is empty or too long, or the table is full.
    TAtom Add(std::string_view name);
    // False for an atom that is not in the table.
    bool Delete(TAtom atom);
    // 0 when the name is not in the table.
    TAtom Find(std::string_view name) const;
    // Empty for an atom that is not in the table.
    std::string Name(TAtom atom) const;
    int ReferenceCount(TAtom atom) const;

private:
    struct Entry {
        std::string name;
        int references = 0; // 0: a free slot
    };
    const Entry* EntryOf(TAtom atom) const;
    std::vector<Entry> entries_; // slot i holds atom kFirstAtom + i
    std::map<std::string, TAtom> byName_; // names in capitals
    std::size_t firstFree_ = 0; // no free slot below it
};

// The process's table, standing in for the system's global one.
TAtom GlobalAddAtomA(std::string_view name);
bool GlobalDeleteAtom(TAtom atom);
AtomTable& GlobalAtomTable();
