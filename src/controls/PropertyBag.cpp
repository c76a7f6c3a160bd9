// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/PropertyBag.h"

#include <algorithm>
#include <limits>

namespace moonleaf {
namespace {

bool SameKey(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

void PropertyBag::Set(const QString& key, Value value) {
    for (Entry& entry : entries_) {
        if (SameKey(entry.Key, key)) {
            entry.Stored = std::move(value);
            return;
        }
    }
    entries_.push_back({key, std::move(value)});
}

const PropertyBag::Value* PropertyBag::Find(QStringView key) const {
    for (const Entry& entry : entries_) {
        if (SameKey(entry.Key, key)) {
            return &entry.Stored;
        }
    }
    return nullptr;
}

void PropertyBag::Remove(QStringView key) {
    std::erase_if(entries_, [key](const Entry& entry) { return SameKey(entry.Key, key); });
}

bool PropertyBag::ReadInteger(QStringView key, std::int64_t& out) const {
    const Value* value = Find(key);
    if (value == nullptr) {
        return false;
    }
    if (const auto* number = std::get_if<std::int32_t>(value)) {
        out = *number;
        return true;
    }
    if (const auto* flag = std::get_if<bool>(value)) {
        out = *flag ? -1 : 0;
        return true;
    }
    return false;
}

bool PropertyBag::ReadBool(QStringView key, bool fallback) const {
    std::int64_t number = 0;
    return ReadInteger(key, number) ? number != 0 : fallback;
}

std::int16_t PropertyBag::ReadInt16(QStringView key, std::int16_t fallback) const {
    std::int64_t number = 0;
    if (!ReadInteger(key, number) || number < std::numeric_limits<std::int16_t>::min() ||
        number > std::numeric_limits<std::int16_t>::max()) {
        return fallback;
    }
    return static_cast<std::int16_t>(number);
}

std::int32_t PropertyBag::ReadInt32(QStringView key, std::int32_t fallback) const {
    std::int64_t number = 0;
    return ReadInteger(key, number) ? static_cast<std::int32_t>(number) : fallback;
}

std::uint32_t PropertyBag::ReadColor(QStringView key, std::uint32_t fallback) const {
    return static_cast<std::uint32_t>(ReadInt32(key, static_cast<std::int32_t>(fallback)));
}

QString PropertyBag::ReadString(QStringView key, const QString& fallback) const {
    const Value* value = Find(key);
    const auto* text = value != nullptr ? std::get_if<QString>(value) : nullptr;
    return text != nullptr ? *text : fallback;
}

QFont PropertyBag::ReadFont(QStringView key, const QFont& fallback) const {
    const Value* value = Find(key);
    const auto* font = value != nullptr ? std::get_if<StoredFont>(value) : nullptr;
    return font != nullptr ? LoadFont(*font) : fallback;
}

void PropertyBag::WriteBool(const QString& key, bool value, bool fallback) {
    if (value == fallback) {
        Remove(key);
    } else {
        Set(key, value);
    }
}

void PropertyBag::WriteInt16(const QString& key, std::int16_t value, std::int16_t fallback) {
    WriteInt32(key, value, fallback);
}

void PropertyBag::WriteInt32(const QString& key, std::int32_t value, std::int32_t fallback) {
    if (value == fallback) {
        Remove(key);
    } else {
        Set(key, value);
    }
}

void PropertyBag::WriteColor(const QString& key, std::uint32_t value, std::uint32_t fallback) {
    WriteInt32(key, static_cast<std::int32_t>(value), static_cast<std::int32_t>(fallback));
}

void PropertyBag::WriteString(const QString& key, const QString& value, const QString& fallback) {
    if (value == fallback) {
        Remove(key);
    } else {
        Set(key, value);
    }
}

void PropertyBag::WriteFont(const QString& key, const QFont& value, const QFont& fallback) {
    const StoredFont stored = StoreFont(value);
    if (stored == StoreFont(fallback)) {
        Remove(key);
    } else {
        Set(key, stored);
    }
}

} // namespace moonleaf
