// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace zorvat {
namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The file's bytes with LF line ends: Windows writes CRLF, the layout is the same.
QByteArray readRaw(const QString& path) {
    QByteArray bytes = readBytes(path);
#ifdef _WIN32
    bytes.replace("\r\n", "\n");
#endif
    return bytes;
}

void writeRaw(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(content), content.size());
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString iniPath() const { return m_dir.filePath("kq.ini"); }

    // Returns the path of a kq.ini holding exactly the given bytes.
    QString iniWith(const QByteArray& content) const {
        writeRaw(iniPath(), content);
        return iniPath();
    }

    QTemporaryDir m_dir;
};

const int kDef = -77;

// All of a literal's bytes, NULs included.
template <std::size_t N> QByteArray bytes(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

// Windows converts the code page itself.
bool cp1250Available() {
#ifdef _WIN32
    return true;
#else
    return QStringDecoder("windows-1250").isValid();
#endif
}

TEST_F(SettingsFileTest, MissingFileSectionOrKeyGivesDefaults) {
    SettingsFile missing(iniPath());
    EXPECT_EQ(missing.path(), iniPath());
    EXPECT_EQ(missing.readInt("LED", "Format", kDef), kDef);
    EXPECT_TRUE(missing.readString("Cas", "Left").isEmpty());
    EXPECT_FALSE(QFile::exists(iniPath())) << "reading must not create the file";

    SettingsFile present(iniWith("[LED]\nFormat=3\n"));
    EXPECT_EQ(present.readInt("LED", "Format", kDef), 3);
    EXPECT_EQ(present.readInt("LED", "M0", kDef), kDef);
    EXPECT_EQ(present.readInt("Cas", "Format", kDef), kDef);
    EXPECT_TRUE(present.readString("LED", "M0").isEmpty());
}

TEST_F(SettingsFileTest, ReadIntAcceptsOnlyWholeDecimalNumbersInRange) {
    const struct {
        QByteArray value;
        int expected;
    } cases[] = {
        {"42", 42},
        {"-1", -1},
        {"+7", 7},
        {"007", 7},
        {"-0", 0},
        {"   12  ", 12},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"", kDef},
        {"abc", kDef},
        {"12abc", kDef},
        {"1 2", kDef},
        {"1.5", kDef},
        {"0x1F", kDef},
        {"-", kDef},
        {"+", kDef},
        {"+-5", kDef},
        {"--5", kDef},
        {"2147483648", kDef},
        {"-2147483649", kDef},
        {"99999999999", kDef},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("value '" + c.value.toStdString() + "'");
        SettingsFile file(iniWith("[LED]\nFormat=" + c.value + "\n"));
        EXPECT_EQ(file.readInt("LED", "Format", kDef), c.expected);
    }
}

TEST_F(SettingsFileTest, NamesMatchWithoutRegardToCase) {
    const QString path = iniWith("[LED]\nFormat=3\n\n\n[Cas]\nLeft=x\n");
    const struct {
        const char* section;
        const char* key;
    } spellings[] = {{"LED", "Format"}, {"led", "format"}, {"Led", "FORMAT"}, {"lEd", "fOrMaT"}};
    SettingsFile file(path);
    for (const auto& s : spellings) {
        SCOPED_TRACE(std::string(s.section) + "/" + s.key);
        EXPECT_EQ(file.readInt(s.section, s.key, kDef), 3);
    }

    ASSERT_TRUE(file.writeInt("led", "FORMAT", 5));
    EXPECT_EQ(readRaw(path), QByteArray("[LED]\nFormat=5\n\n\n[Cas]\nLeft=x\n"));
}

TEST_F(SettingsFileTest, NewFileGrowsInOrderOfWrites) {
    SettingsFile file(iniPath());
    ASSERT_TRUE(file.writeInt("LED", "Format", 2));
    // Every write lands on disk at once.
    EXPECT_EQ(readRaw(iniPath()), QByteArray("[LED]\nFormat=2\n"));
    ASSERT_TRUE(file.writeInt("LED", "M0", -1));
    ASSERT_TRUE(file.writeString("Cas", "Left", QStringLiteral("Hasiči Kunovice")));
    ASSERT_TRUE(file.writeString("Clip", "format", QStringLiteral("jpg")));
    ASSERT_TRUE(file.writeInt("LED", "M1", 5));

    EXPECT_EQ(readRaw(iniPath()), QStringLiteral("[LED]\nFormat=2\nM0=-1\nM1=5\n"
                                                 "\n\n[Cas]\nLeft=Hasiči Kunovice\n"
                                                 "\n\n[Clip]\nformat=jpg\n")
                                      .toUtf8());

    SettingsFile reread(iniPath());
    EXPECT_EQ(reread.readInt("LED", "Format", kDef), 2);
    EXPECT_EQ(reread.readInt("LED", "M0", kDef), -1);
    EXPECT_EQ(reread.readString("Cas", "Left"), QStringLiteral("Hasiči Kunovice"));
}

TEST_F(SettingsFileTest, LinesEndAsThePlatformsDo) {
    SettingsFile file(iniPath());
    ASSERT_TRUE(file.writeInt("LED", "Format", 2));
#ifdef _WIN32
    EXPECT_EQ(readBytes(iniPath()), QByteArray("[LED]\r\nFormat=2\r\n"));
#else
    EXPECT_EQ(readBytes(iniPath()), QByteArray("[LED]\nFormat=2\n"));
#endif
}

TEST_F(SettingsFileTest, RewriteKeepsUnknownEntriesAndCommentsInPlace) {
    const QString path = iniWith("; Zorvat settings\n"
                                 "[Other]\n"
                                 "Foo=bar\n"
                                 "[LED]\n"
                                 "; 0 = off\n"
                                 "Format=1\n"
                                 "Extra=x\n"
                                 "[Cas]\n"
                                 "Left=Domu\n"
                                 "Right=Hoste\n"
                                 ";M9=3\n");
    SettingsFile file(path);
    ASSERT_TRUE(file.writeInt("LED", "Format", -3));
    ASSERT_TRUE(file.writeInt("LED", "M0", 4));
    ASSERT_TRUE(file.writeString("cas", "left", QStringLiteral("Sokol")));
    ASSERT_TRUE(file.writeString("Clip", "format", QStringLiteral("jpg")));

    EXPECT_EQ(readRaw(path), QByteArray("; Zorvat settings\n"
                                        "\n\n[Other]\n"
                                        "Foo=bar\n"
                                        "\n\n[LED]\n"
                                        "\n; 0 = off\n"
                                        "Format=-3\n"
                                        "Extra=x\n"
                                        "M0=4\n"
                                        "\n\n[Cas]\n"
                                        "Left=Sokol\n"
                                        "Right=Hoste\n"
                                        "\n\n[Clip]\n"
                                        "format=jpg\n"
                                        "\n;M9=3\n"));
}

TEST_F(SettingsFileTest, WholeNumbersRoundTripInDecimal) {
    for (const int value : {0, 7, -1, -250, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(value);
        QFile::remove(iniPath());
        ASSERT_TRUE(SettingsFile(iniPath()).writeInt("LED", "M0", value));
        EXPECT_EQ(readRaw(iniPath()), "[LED]\nM0=" + QByteArray::number(value) + "\n");
        EXPECT_EQ(SettingsFile(iniPath()).readInt("LED", "M0", kDef), value);
    }
}

TEST_F(SettingsFileTest, CzechTextIsWrittenAsUtf8AndReadBack) {
    const QString text = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy ĚŠČŘŽÝÁÍÉŮÚŤĎŇ");
    ASSERT_TRUE(SettingsFile(iniPath()).writeString("Cas", "Left", text));
    EXPECT_EQ(readRaw(iniPath()), "[Cas]\nLeft=" + text.toUtf8() + "\n");
    EXPECT_EQ(SettingsFile(iniPath()).readString("Cas", "Left"), text);
}

TEST_F(SettingsFileTest, LineBreaksInTextCannotStartNewLines) {
    SettingsFile file(iniPath());
    ASSERT_TRUE(file.writeString("Cas", "Left", QStringLiteral("A\nB\r\n[Evil]\nX=1")));
    EXPECT_EQ(readRaw(iniPath()), QByteArray("[Cas]\nLeft=A B  [Evil] X=1\n"));
}

TEST_F(SettingsFileTest, Windows1250ValuesReadAsCzechLetters) {
    // "Žluťoučký kůň" in windows-1250, next to a UTF-8 value in the same file.
    const QByteArray cp1250("\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2");
    const QString path =
        iniWith("[Cas]\nLeft=" + cp1250 + "\nRight=" + QStringLiteral("Úpěl").toUtf8() + "\n");
    const QString expected =
        cp1250Available() ? QStringLiteral("Žluťoučký kůň") : QString::fromLatin1(cp1250);

    SettingsFile file(path);
    EXPECT_EQ(file.readString("Cas", "Left"), expected);
    EXPECT_EQ(file.readString("Cas", "Right"), QStringLiteral("Úpěl"));

    // Values we do not write keep their bytes.
    ASSERT_TRUE(file.writeInt("LED", "Format", 1));
    EXPECT_TRUE(readRaw(path).contains("Left=" + cp1250 + "\n"));
    EXPECT_EQ(SettingsFile(path).readString("Cas", "Left"), expected);
}

TEST_F(SettingsFileTest, AnyContentReadsWithoutCrashAndStaysWritable) {
    QByteArray binary;
    for (int i = 0; i < 64 * 1024; ++i)
        binary += char((i * 131 + 7) % 256);
    QByteArray binaryWithoutNul = binary;
    binaryWithoutNul.replace('\0', 'z');
    const struct {
        const char* name;
        QByteArray content;
        int expected;
    } cases[] = {
        {"binary garbage", binary, kDef},
        {"garbage then entries", binaryWithoutNul + "\n[LED]\nFormat=4\n", 4},
        {"huge line", QByteArray(4 * 1024 * 1024, 'x') + "\n[LED]\nFormat=4\n", 4},
        {"huge value", "[LED]\nName=" + QByteArray(4 * 1024 * 1024, 'y') + "\nFormat=4\n", 4},
        {"no newline at end", "[LED]\nFormat=4", 4},
        {"CRLF", "[LED]\r\nFormat=4\r\nName=abc\r\n", 4},
        {"CR only", "[LED]\rFormat=4\r;tail\r", 4},
        {"mixed line ends", "[LED]\n;note\rFormat=4\r;tail\n", 4},
        {"duplicate keys, last wins", "[LED]\nFormat=1\nFormat=4\n", 4},
        {"duplicate sections", "[LED]\nFormat=4\n[Cas]\nLeft=x\n[LED]\nM0=1\n", 4},
        {"keys before any section", "Format=9\n[LED]\nFormat=4\n", 4},
        {"UTF-8 signature", "\xEF\xBB\xBF[LED]\nFormat=4\n", 4},
        {"unclosed section header", "[LED\nFormat=4\n", kDef},
        {"empty key name", "[LED]\n=4\n", kDef},
        {"only comments", ";[LED]\n#Format=4\n", kDef},
        {"empty file", "", kDef},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = iniWith(c.content);
        SettingsFile file(path);
        EXPECT_EQ(file.readInt("LED", "Format", kDef), c.expected);
        ASSERT_TRUE(file.writeInt("LED", "Check", 11));
        EXPECT_EQ(SettingsFile(path).readInt("LED", "Format", kDef), c.expected);
        ASSERT_TRUE(file.writeInt("LED", "Format", 12));
        SettingsFile reread(path);
        EXPECT_EQ(reread.readInt("LED", "Check", kDef), 11);
        EXPECT_EQ(reread.readInt("LED", "Format", kDef), 12);
    }
    SettingsFile crlf(iniWith("[LED]\r\nName=abc\r\n"));
    EXPECT_EQ(crlf.readString("LED", "Name"), QStringLiteral("abc"));
}

// Files written elsewhere: UTF-16 with its byte-order mark, as the platform's own profile
// functions write it, and a stray NUL byte. Nothing after either may be lost at the rewrite.
TEST_F(SettingsFileTest, Utf16AndNulBytesKeepEveryEntry) {
    const QString text = QStringLiteral("[LED]\r\nFormat=4\r\nM0=Žluťoučký kůň\r\n"
                                        "[Zvuk]\r\nHlasitost=5\r\n");
    const auto utf16 = [&](QStringConverter::Encoding encoding) {
        return QByteArray(QStringEncoder(encoding, QStringConverter::Flag::WriteBom)(text));
    };
    const struct {
        const char* name;
        QByteArray content;
        QString m0;
    } cases[] = {
        {"UTF-16 little-endian", utf16(QStringConverter::Utf16LE), QStringLiteral("Žluťoučký kůň")},
        {"UTF-16 big-endian", utf16(QStringConverter::Utf16BE), QStringLiteral("Žluťoučký kůň")},
        {"NUL inside a value", bytes("[LED]\nFormat=4\nM0=ab\0cd\n[Zvuk]\nHlasitost=5\n"),
         QStringLiteral("abcd")},
        {"NUL on a line of its own", bytes("[LED]\nFormat=4\n\0\nM0=abcd\n[Zvuk]\nHlasitost=5\n"),
         QStringLiteral("abcd")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = iniWith(c.content);
        SettingsFile file(path);
        EXPECT_EQ(file.readInt("LED", "Format", kDef), 4);
        EXPECT_EQ(file.readString("LED", "M0"), c.m0);
        ASSERT_TRUE(file.writeInt("Cas", "Left", 3));
        SettingsFile reread(path);
        EXPECT_EQ(reread.readInt("LED", "Format", kDef), 4);
        EXPECT_EQ(reread.readString("LED", "M0"), c.m0);
        EXPECT_EQ(reread.readInt("Zvuk", "Hlasitost", kDef), 5);
        EXPECT_EQ(reread.readInt("Cas", "Left", kDef), 3);
        EXPECT_FALSE(readRaw(path).contains('\0'));
    }
}

TEST_F(SettingsFileTest, UnwritablePathsFailWithoutLeavingAnything) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("ini-is-a-dir"));
    writeRaw(m_dir.filePath("ini-is-a-dir/keep.txt"), "keep");
    const QString paths[] = {m_dir.filePath("missing/kq.ini"), m_dir.filePath("ini-is-a-dir")};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        SettingsFile file(path);
        EXPECT_FALSE(file.writeInt("LED", "Format", 1));
        EXPECT_FALSE(file.writeString("Cas", "Left", QStringLiteral("x")));
    }
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath("missing")));
    EXPECT_TRUE(QFileInfo(m_dir.filePath("ini-is-a-dir")).isDir());
    EXPECT_EQ(QDir(m_dir.filePath("ini-is-a-dir")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"keep.txt"});
    EXPECT_EQ(readRaw(m_dir.filePath("ini-is-a-dir/keep.txt")), QByteArray("keep"));
}

// POSIX alone can make a write fail part-way for any user.
#ifndef _WIN32
// Limits the size of files this process may write, so writes fail even for root.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
    bool m_active = false;
};

TEST_F(SettingsFileTest, FailedWriteLeavesExistingFileWhole) {
    const QByteArray original("; by hand\n[LED]\nFormat=1\nExtra=keep me\n\n\n[Cas]\nLeft=Domu\n");
    const QString path = iniWith(original);
    SettingsFile file(path);
    bool written = true;
    bool limited = false;
    {
        // Far below the size of the new content: the write has to fail part-way.
        FileSizeLimit limit(16);
        limited = limit.active();
        written = file.writeInt("LED", "Format", 2);
    }
    ASSERT_TRUE(limited);
    EXPECT_FALSE(written);
    EXPECT_EQ(readRaw(path), original);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kq.ini"})
        << "no half-written leftovers";
}
#endif

TEST_F(SettingsFileTest, FileWithoutPermissionsIsNotOverwritten) {
    const QByteArray original("[LED]\nFormat=1\n");
    const struct {
        const char* name;
        QFileDevice::Permissions permissions;
        int readsAs;
    } cases[] = {
        {"read-only", QFileDevice::ReadOwner, 1},
        // Unreadable reads as empty, and rewriting it would lose what we could not see.
        {"write-only", QFileDevice::WriteOwner, kDef},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = iniWith(original);
        ASSERT_TRUE(QFile::setPermissions(path, c.permissions));
        if (QFileInfo(path).isReadable() && QFileInfo(path).isWritable())
            GTEST_SKIP() << "running with rights that ignore file permissions (root)";
        SettingsFile file(path);
        EXPECT_EQ(file.readInt("LED", "Format", kDef), c.readsAs);
        EXPECT_FALSE(file.writeInt("LED", "Format", 2));
        ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        EXPECT_EQ(readRaw(path), original);
    }
}

} // namespace
} // namespace zorvat
