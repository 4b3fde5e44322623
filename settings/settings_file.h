// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

namespace zorvat {

// The program's INI file. Reads come from the content loaded at construction;
// every write rewrites the whole file at once, keeping whatever else it holds.
class SettingsFile {
public:
    // Loads the file as it is on disk now; a missing or unreadable file reads as empty.
    explicit SettingsFile(QString path);
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    const QString& path() const;

    // Decimal integer with optional sign; anything else, or nothing, gives def.
    int readInt(const char* section, const char* key, int def) const;
    // Missing -> empty text.
    QString readString(const char* section, const char* key) const;

    // Returns false when the file cannot be written; the file on disk is then left as it was.
    bool writeInt(const char* section, const char* key, int value);
    bool writeString(const char* section, const char* key, const QString& value);

private:
    struct Ini;

    bool write(const char* section, const char* key, const QByteArray& value);

    QString m_path;
    std::unique_ptr<Ini> m_ini;
    // Set when the file exists but could not be read: rewriting it would lose its content.
    bool m_loadFailed = false;
};

} // namespace zorvat
