// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/StoredFont.h"

#include <QFont>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <variant>
#include <vector>

namespace moonleaf {

// The stored properties of one control in a window design: an ordered list of keys with
// their values. Keys are matched without regard to case ("BackColor" finds "backcolor").
// A control reads what it needs, each missing key giving that property's default, and
// writes only the values that differ from their defaults, so a bag holds exactly what a
// design changed. Besides the control's own keys a bag may hold the container's entries
// (the size "_extentx" and "_extenty"); controls leave them alone.
class PropertyBag {
public:
    using Value = std::variant<bool, std::int32_t, QString, StoredFont>;

    struct Entry {
        QString Key;
        Value Stored;
    };

    // Stores `value` under `key`, replacing an entry whose key matches, else appending.
    void Set(const QString& key, Value value);
    // The entry matching `key`, or null.
    const Value* Find(QStringView key) const;
    const std::vector<Entry>& Entries() const { return entries_; }

    // Typed reads. A missing key gives `fallback`. Booleans and integers read as each other
    // (nonzero is True; True is -1, as the designs store it); a value of any other type, or
    // an integer that does not fit the type read, also gives `fallback`.
    bool ReadBool(QStringView key, bool fallback) const;
    std::int16_t ReadInt16(QStringView key, std::int16_t fallback) const;
    std::int32_t ReadInt32(QStringView key, std::int32_t fallback) const;
    // A colour value, kept as the 32-bit integer of its bits (0x8000000F is -2147483633).
    std::uint32_t ReadColor(QStringView key, std::uint32_t fallback) const;
    QString ReadString(QStringView key, const QString& fallback) const;
    // A stored font as a QFont (LoadFont); a missing key gives `fallback` itself.
    QFont ReadFont(QStringView key, const QFont& fallback) const;

    // Typed writes. A value equal to `fallback` (its default) is not written, and an earlier
    // entry under the key is removed, so the bag says only what differs from the defaults.
    void WriteBool(const QString& key, bool value, bool fallback);
    void WriteInt16(const QString& key, std::int16_t value, std::int16_t fallback);
    void WriteInt32(const QString& key, std::int32_t value, std::int32_t fallback);
    void WriteColor(const QString& key, std::uint32_t value, std::uint32_t fallback);
    void WriteString(const QString& key, const QString& value, const QString& fallback);
    // Written as StoreFont(value) unless that equals StoreFont(fallback).
    void WriteFont(const QString& key, const QFont& value, const QFont& fallback);

private:
    void Remove(QStringView key);
    bool ReadInteger(QStringView key, std::int64_t& out) const;

    std::vector<Entry> entries_;
};

} // namespace moonleaf
