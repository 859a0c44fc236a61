// SPDX-License-Identifier: MIT
#include "folderview/NameList.h"

int TNameList::IndexOf(const QString& name) const {
    return set_.contains(name) ? static_cast<int>(names_.indexOf(name)) : -1;
}

bool TNameList::Append(const QString& name) {
    if (set_.contains(name))
        return false;
    names_.append(name);
    set_.insert(name);
    return true;
}

bool TNameList::Remove(const QString& name) {
    const int index = IndexOf(name);
    if (index < 0)
        return false;
    RemoveAt(index);
    return true;
}

void TNameList::RemoveAt(int index) {
    set_.remove(names_.at(index));
    names_.removeAt(index);
}

bool TNameList::Replace(const QString& oldName, const QString& newName) {
    const int index = IndexOf(oldName);
    if (index < 0)
        return false;
    if (oldName == newName)
        return true;
    if (set_.contains(newName)) {
        RemoveAt(index);
        return true;
    }
    set_.remove(oldName);
    set_.insert(newName);
    names_[index] = newName;
    return true;
}

void TNameList::Clear() {
    names_.clear();
    set_.clear();
}
