// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_file.h"

#include "file_content.h"
#include "local_text.h"

#include <QByteArrayList>
#include <QFile>
#include <QStringDecoder>

#include <SimpleIni.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

namespace zorvat {

struct SettingsFile::Ini {
    CSimpleIniA data;
    QByteArray trailingComments;
};

namespace {

// Plain decimal only: strtol-style parsing would also take hex, octal and trailing junk.
std::optional<int> parseInt(const char* text) {
    const char* begin = text;
    const char* const end = text + std::strlen(text);
    if (begin != end && *begin == '+') {
        ++begin;
        if (begin != end && *begin == '-')
            return std::nullopt;
    }
    int value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

// SimpleIni keeps a comment only together with the entry after it, so comment lines after
// the last entry (often keys commented out by hand) would be lost on rewrite. We carry
// them over and put them back at the end.
QByteArray trailingComments(QByteArray content) {
    // Lines end at CR as well as LF, as they do for SimpleIni.
    content.replace('\r', '\n');
    const QList<QByteArray> lines = content.split('\n');
    QByteArrayList comments;
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        const QByteArray text = line->trimmed();
        if (text.isEmpty())
            continue;
        if (!text.startsWith(';') && !text.startsWith('#')) {
            std::reverse(comments.begin(), comments.end());
            return comments.isEmpty() ? QByteArray() : comments.join('\n') + '\n';
        }
        comments.append(text);
    }
    // Comments with nothing before them are the file comment, which SimpleIni keeps.
    return {};
}

// The bytes SimpleIni is given. The platform's profile functions also read UTF-16 files by
// their byte-order mark; such a file is taken as text and written back as UTF-8. SimpleIni
// reads up to the first NUL byte only, and a rewrite would drop everything after it, so NULs
// are left out.
QByteArray iniBytes(const QByteArray& raw) {
    QByteArray bytes = raw;
    const std::optional<QStringConverter::Encoding> encoding =
        QStringConverter::encodingForData(raw);
    if (encoding && *encoding != QStringConverter::Utf8)
        bytes = QString(QStringDecoder(*encoding).decode(raw)).toUtf8();
    return bytes.replace('\0', QByteArray());
}

} // namespace

SettingsFile::SettingsFile(QString path) : m_path(std::move(path)), m_ini(std::make_unique<Ini>()) {
    // Bytes are kept as they are; decoding is done per value when read.
    m_ini->data.SetUnicode(false);
    m_ini->data.SetSpaces(false);
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray content = iniBytes(file.readAll());
        const SI_Error rc = m_ini->data.LoadData(content.constData(), size_t(content.size()));
        m_loadFailed = file.error() != QFileDevice::NoError || rc < 0;
        m_ini->trailingComments = trailingComments(content);
    } else {
        m_loadFailed = file.exists();
    }
}

SettingsFile::~SettingsFile() = default;

const QString& SettingsFile::path() const {
    return m_path;
}

int SettingsFile::readInt(const char* section, const char* key, int def) const {
    const char* raw = m_ini->data.GetValue(section, key, nullptr);
    if (!raw)
        return def;
    return parseInt(raw).value_or(def);
}

QString SettingsFile::readString(const char* section, const char* key) const {
    const char* raw = m_ini->data.GetValue(section, key, nullptr);
    // We write UTF-8; files carried over from Czech Windows machines hold windows-1250.
    return raw ? decodeLocalText(QByteArray(raw)) : QString();
}

bool SettingsFile::writeInt(const char* section, const char* key, int value) {
    return write(section, key, QByteArray::number(value));
}

bool SettingsFile::writeString(const char* section, const char* key, const QString& value) {
    // A line break would end the value early and turn the rest into lines of their own.
    QString oneLine = value;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    return write(section, key, oneLine.toUtf8());
}

bool SettingsFile::write(const char* section, const char* key, const QByteArray& value) {
    if (m_loadFailed)
        return false;
    if (m_ini->data.SetValue(section, key, value.constData()) < 0)
        return false;
    std::string text;
    if (m_ini->data.Save(text) < 0)
        return false;
    if (!m_ini->trailingComments.isEmpty())
        text += '\n' + m_ini->trailingComments.toStdString();
    return replaceFileContent(m_path, QByteArray::fromStdString(text));
}

} // namespace zorvat
