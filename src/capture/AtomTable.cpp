#include "capture/AtomTable.h"

namespace {

std::string Capitals(std::string_view name)
{
    std::string key(name);
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return key;
}

} // namespace

const AtomTable::Entry* AtomTable::EntryOf(TAtom atom) const
{
    if (atom < kFirstAtom)
        return nullptr;
    const std::size_t slot = atom - kFirstAtom;
    if (slot >= entries_.size() || entries_[slot].references == 0)
        return nullptr;
    return &entries_[slot];
}

TAtom AtomTable::Find(std::string_view name) const
{
    const auto it = byName_.find(Capitals(name));
    return it == byName_.end() ? TAtom(0) : it->second;
}

TAtom AtomTable::Add(std::string_view name)
{
    if (name.empty() || name.size() > kMaxNameLength)
        return 0;
    if (const TAtom existing = Find(name)) {
        ++entries_[existing - kFirstAtom].references;
        return existing;
    }
    std::size_t slot = firstFree_;
    while (slot < entries_.size() && entries_[slot].references > 0)
        ++slot;
    if (slot > std::size_t(kLastAtom - kFirstAtom))
        return 0;
    if (slot == entries_.size())
        entries_.emplace_back();
    entries_[slot].name = std::string(name);
    entries_[slot].references = 1;
    firstFree_ = slot + 1;
    const TAtom atom = TAtom(kFirstAtom + slot);
    byName_.emplace(Capitals(name), atom);
    return atom;
}

bool AtomTable::Delete(TAtom atom)
{
    if (!EntryOf(atom))
        return false;
    const std::size_t slot = atom - kFirstAtom;
    Entry& entry = entries_[slot];
    if (--entry.references == 0) {
        byName_.erase(Capitals(entry.name));
        entry.name.clear();
        if (slot < firstFree_)
            firstFree_ = slot;
    }
    return true;
}

std::string AtomTable::Name(TAtom atom) const
{
    const Entry* entry = EntryOf(atom);
    return entry ? entry->name : std::string();
}

int AtomTable::ReferenceCount(TAtom atom) const
{
    const Entry* entry = EntryOf(atom);
    return entry ? entry->references : 0;
}

AtomTable& GlobalAtomTable()
{
    static AtomTable table;
    return table;
}

TAtom GlobalAddAtomA(std::string_view name)
{
    return GlobalAtomTable().Add(name);
}

bool GlobalDeleteAtom(TAtom atom)
{
    return GlobalAtomTable().Delete(atom);
}
