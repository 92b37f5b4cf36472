// Hostile files and clipboard contents through the K-map window: refused with a message or read
// as far as they allow, never a crash or a hang, and nothing existing is lost.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <csignal>
#include <functional>

#include "KmapTestSupport.h"
#include "windows/KmapResult.h"

namespace {

QByteArray Repeat(const QByteArray& line, int count) {
    QByteArray bytes;
    bytes.reserve(line.size() * count);
    for (int i = 0; i < count; ++i) {
        bytes += line;
    }
    return bytes;
}

class HostileFilesTest : public KmapTest {
  protected:
    QString WriteFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return path;
    }
    static QByteArray ReadFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void OpenPath(const QString& path) {
        prompter.fileAnswers.push_back({true, path, 1});
        Trigger(frmKmap, "&Open Boolean Text File");
    }
    void SaveText(const QString& path) {
        prompter.fileAnswers.push_back({true, path, 1});
        Trigger(frmKmap, "&Save as Text File");
    }
    void SaveBin(const QString& path) {
        prompter.fileAnswers.push_back({true, path, 2});
        frmKmap->SaveasBin1Click();
    }
    // The editor as a test left it before the command: one term and the start row count.
    void ExpectEditorUntouched() {
        EXPECT_EQ(EditorTerms(), QStringList{"AB"});
        EXPECT_EQ(editor()->rowCountValue(), 40001);
    }

    QTemporaryDir dir;
};

struct FileCase {
    const char* name;
    std::function<QByteArray()> bytes;
    QString message;
    int rows;          // editor row count afterwards; 0: untouched
    QStringList head;  // the first editor terms afterwards
};

class HostileFiles : public HostileFilesTest, public testing::WithParamInterface<FileCase> {};

TEST_P(HostileFiles, EndWithTheirMessage) {
    const FileCase& c = GetParam();
    SetTerms({"AB"});
    OpenPath(WriteFile("hostile.txt", c.bytes()));
    EXPECT_EQ(prompter.messages, QStringList{c.message});
    if (c.rows == 0) {
        ExpectEditorUntouched();
        return;
    }
    EXPECT_EQ(editor()->rowCountValue(), c.rows);
    EXPECT_EQ(EditorTerms().mid(0, static_cast<qsizetype>(c.head.size())), c.head);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFiles,
    testing::Values(
        FileCase{"ExactlyTheMostLines",
                 [] { return Repeat("Ab\r\n", 65536); },
                 "65536 Boolean strings were read",
                 65537,
                 {"Ab", "Ab"}},
        FileCase{"MostLinesLastUnended",
                 [] { return Repeat("Ab\n", 65535) + "cD"; },
                 "65536 Boolean strings were read",
                 65537,
                 {"Ab"}},
        FileCase{"OneLineTooMany", [] { return Repeat("Ab\r\n", 65537); }, "TOO many lines", 0, {}},
        FileCase{"OneUnendedLineTooMany",
                 [] { return Repeat("Ab\r", 65536) + "Ab"; },
                 "TOO many lines",
                 0,
                 {}},
        FileCase{"Empty", [] { return QByteArray(); }, "Blank File/lines not allowed", 0, {}},
        FileCase{"OnlyLineEnds",
                 [] { return QByteArray("\r\n\r\n"); },
                 "Format error in string line no 1",
                 10001,
                 {}},
        FileCase{"NulBytes",
                 [] { return QByteArray("AB\0\r\n\0cd\r\nA\0B\r\n", 15); },
                 "Format error in string line no 3",
                 10001,
                 {"AB", "cd"}},
        FileCase{"TenMegabyteLine",
                 [] { return QByteArray(10 << 20, 'A'); },
                 "Format error in string line no 1",
                 10001,
                 {}},
        FileCase{"TenMegabytesOfBlanksAroundATerm",
                 [] { return "aB\r\n" + QByteArray(10 << 20, ' ') + "C"; },
                 "2 Boolean strings were read",
                 10001,
                 {"aB", "C"}},
        FileCase{"CrOnly",
                 [] { return QByteArray("AB\rcd\rEF\r"); },
                 "3 Boolean strings were read",
                 10001,
                 {"AB", "cd", "EF"}},
        FileCase{"MixedLineEnds",
                 [] { return QByteArray("AB\r\ncd\rEF\nGh\n\rP"); },
                 "Format error in string line no 5",
                 10001,
                 {"AB", "cd", "EF", "Gh"}},
        FileCase{"HighBytes",
                 [] { return QByteArray("\xff\xfe\x80\r\n"); },
                 "Format error in string line no 1",
                 10001,
                 {}}),
    [](const testing::TestParamInfo<FileCase>& info) { return info.param.name; });

TEST_F(HostileFilesTest, FolderPipeAndDeviceAreRefusedWithoutWaiting) {
    SetTerms({"AB"});
    const QString fifo = dir.filePath("pipe.txt");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QStringList paths{dir.path(), fifo, "/dev/zero"};
    for (const QString& path : paths) {
        OpenPath(path);
    }
    ASSERT_EQ(prompter.messages.size(), paths.size());
    for (qsizetype i = 0; i < paths.size(); ++i) {
        EXPECT_TRUE(prompter.messages[i].startsWith("Cannot open " + paths[i]))
            << prompter.messages[i].toStdString();
    }
    ExpectEditorUntouched();
}

// A file that opens but fails on reading; the kernel refuses this read to root as well.
TEST_F(HostileFilesTest, ReadFailureIsReportedAndChangesNothing) {
    if (!QFile::exists("/proc/self/mem")) {
        GTEST_SKIP() << "no /proc/self/mem to fail a read on this system";
    }
    SetTerms({"AB"});
    OpenPath("/proc/self/mem");
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].startsWith("Cannot read /proc/self/mem"))
        << prompter.messages[0].toStdString();
    ExpectEditorUntouched();
}

TEST_F(HostileFilesTest, UnreadableFileIsReported) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads mode-000 files; ReadFailureIsReportedAndChangesNothing "
                        "covers a failing file for root";
    }
    SetTerms({"AB"});
    const QString path = WriteFile("locked.txt", "AB\r\n");
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0), 0);
    OpenPath(path);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].startsWith("Cannot open " + path));
    ExpectEditorUntouched();
}

TEST_F(HostileFilesTest, SaveWhereNoFileCanBeMadeReports) {
    SetTerms({"AB"});
    // No one, root included, creates files in /proc.
    SaveText("/proc/quillon-terms.txt");
    SaveBin("/proc/quillon-terms");
    ASSERT_EQ(prompter.messages.size(), 2);
    EXPECT_TRUE(prompter.messages[0].startsWith("Cannot save /proc/quillon-terms.txt"));
    EXPECT_TRUE(prompter.messages[1].startsWith("Cannot save /proc/quillon-terms.Bin"));
    EXPECT_FALSE(QFile::exists("/proc/quillon-terms.txt"));
}

TEST_F(HostileFilesTest, SaveIntoReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders; SaveWhereNoFileCanBeMadeReports and "
                        "FullDiskKeepsTheOldFile cover failing saves for root";
    }
    const QString path = WriteFile("old.txt", "cd\r\n");
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    SetTerms({"AB"});
    SaveText(path);
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].startsWith("Cannot save "));
    EXPECT_EQ(ReadFile(path), "cd\r\n");
}

// A full disk, simulated with a file size limit: writes past it fail as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit limit = FOld;
        limit.rlim_cur = bytes;
        FSet = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool set() const { return FSet; }

  private:
    rlimit FOld{};
    void (*FOldHandler)(int) = nullptr;
    bool FSet = false;
};

TEST_F(HostileFilesTest, FullDiskKeepsTheOldFile) {
    UseVariables(16);
    const QString text = WriteFile("old.txt", "cd\r\n");
    const QString bin = WriteFile("old.BIN", "old image");
    QStringList terms;
    for (int i = 0; i < 200; ++i) {
        terms << "ABCDEFGHIJKLMNOP";
    }
    SetTerms(terms);
    ProgramState.TruthTable.fill(1);
    {
        const FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.set());
        SaveText(text);
        SaveBin(bin);
    }
    ASSERT_EQ(prompter.messages.size(), 2) << prompter.messages.join('|').toStdString();
    EXPECT_TRUE(prompter.messages[0].startsWith("Cannot save " + text))
        << prompter.messages.join('|').toStdString();
    EXPECT_TRUE(prompter.messages[1].startsWith("Cannot save " + bin));
    EXPECT_EQ(ReadFile(text), "cd\r\n");
    EXPECT_EQ(ReadFile(bin), "old image");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
}

// The results window's text file and the calculator's picture are kept whole in the same way.
TEST_F(HostileFilesTest, FullDiskKeepsTheOldFilesOfTheOtherWindows) {
    SetTerms({"AB", "Ab"});
    Trigger(frmKmap, "Simplify");
    frmResult->hide();
    ASSERT_EQ(frmResult->Outputgrid->cell(2, 1).trimmed(), "A");
    const QString text = WriteFile("result.txt", "cd\r\n");
    const QString picture = WriteFile("map.JPG", "old picture");
    {
        const FileSizeLimit limit(2);
        ASSERT_TRUE(limit.set());
        prompter.fileAnswers.push_back({true, text, 1});
        frmResult->SavetoFile1Click();
        prompter.fileAnswers.push_back({true, picture, 1});
        frmBooleanClac->mnuSaveKMAPimageClick();
    }
    ASSERT_EQ(prompter.messages.size(), 2) << prompter.messages.join('|').toStdString();
    EXPECT_TRUE(prompter.messages[0].startsWith("Cannot save " + text + ": "));
    EXPECT_TRUE(prompter.messages[1].startsWith("Cannot save " + picture + ": "));
    EXPECT_EQ(ReadFile(text), "cd\r\n");
    EXPECT_EQ(ReadFile(picture), "old picture");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
}

class HostileClipboardTest : public KmapTest {};

TEST_F(HostileClipboardTest, BinaryDataImportsNothing) {
    SetTerms({"AB"});
    auto* data = new QMimeData;
    data->setData("application/octet-stream", QByteArray("\x00\x01\xff\r\n", 5));
    QGuiApplication::clipboard()->setMimeData(data);
    Trigger(frmKmap, "Get Clipbrd");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "0 Strs imported");
    EXPECT_EQ(EditorTerms(), QStringList{});
    EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(HostileClipboardTest, ControlCharactersArriveUncheckedAndCut) {
    QString text = QString::fromLatin1("A\0b\x01\x7f", 5) + "\r\n" + QString(40, QChar(0x263A));
    QGuiApplication::clipboard()->setText(text);
    Trigger(frmKmap, "Get Clipbrd");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "2 Strs imported");
    EXPECT_EQ(editor()->cell(2, 1), QString::fromLatin1("A\0b\x01\x7f", 5));
    EXPECT_EQ(editor()->cell(2, 2), QString(16, QChar(0x263A)));
}

TEST_F(HostileClipboardTest, TenMegabyteLineIsCut) {
    QGuiApplication::clipboard()->setText(QString(10 << 20, 'a'));
    Trigger(frmKmap, "Get Clipbrd");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "1 Strs imported");
    EXPECT_EQ(editor()->cell(2, 1), QString(16, 'a'));
    EXPECT_EQ(editor()->rowCountValue(), 40001);
}

// Millions of lines fill as many rows as a term file may hold; the count names them all.
TEST_F(HostileClipboardTest, TenMegabytesOfLinesFillAtMostTheMostRows) {
    QString text;
    text.reserve(10 << 20);
    for (int i = 0; i < (5 << 20); ++i) {
        text += i % 2 == 0 ? "A\n" : "b\n";
    }
    QGuiApplication::clipboard()->setText(text);
    Trigger(frmKmap, "Get Clipbrd");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), QString::number(5 << 20) + " Strs imported");
    EXPECT_EQ(editor()->rowCountValue(), 65537);
    EXPECT_EQ(editor()->cell(2, 65535), "A");
    EXPECT_EQ(editor()->cell(2, 65536), "b");
    // The window goes on working: the next import is a small one again.
    QGuiApplication::clipboard()->setText("cD\r\n");
    Trigger(frmKmap, "Get Clipbrd");
    EXPECT_EQ(frmKmap->StatusBar->panelText(1), "1 Strs imported");
    EXPECT_EQ(EditorTerms(), QStringList{"cD"});
}

}  // namespace
