// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Chapters Informations" command: the focused track's chapters, the split with
// the progress bar, then the window; nothing opens when there is no file or track to read.
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "app/main_dialog.h"
#include "chapters/chapters_dialog.h"
#include "tests/ui/dialog_recorder.h"
#include "tests/ui/lone_video_manager.h"
#include "tests/ui/window_test_main.h"
#include "ui/framed_line_edit.h"

using namespace ratewise;

namespace {

const QString kFolder = QStringLiteral(RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells/");

void Spill(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray Slurp(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct BarRecord {
    std::vector<int> values; // each value the bar took while shown
    int maximum = -1;
    bool hiddenWhileStepping = false; // a step came while the bar was hidden
};

} // namespace

class ChaptersActionTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { m_dialog.reset(); }

    void showsTheFocusedTracksChaptersAndSplit();
    void progressBarFillsOncePerFirstChapterOfMediumTwo();
    void opensNothingWithoutAFileOrTrack();
    void chapterFilesShowAndSaveInOneStep();
    void namesLanguageAndSplitPlans();

private:
    void Open(const QStringList& arguments)
    {
        m_dialog = std::make_unique<MainDialog>(arguments);
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    // The count field is read-only: the arrow keys step it, as the up-down does.
    void SetCount(int count)
    {
        QLineEdit* field = m_dialog->Controls().count;
        field->setFocus();
        while (m_dialog->State().mediumCount != count)
            QTest::keyClick(field, m_dialog->State().mediumCount < count ? Qt::Key_Up : Qt::Key_Down);
    }
    // Clicks the button with `row` focused in the track list; the window it opened, if any.
    ChaptersDialog* Press(int row, BarRecord* bar = nullptr)
    {
        QListWidget* tracks = m_dialog->Controls().tracks;
        while (tracks->count() <= row)
            tracks->addItem(QStringLiteral("T%1").arg(tracks->count() + 1));
        tracks->setCurrentRow(row);
        QProgressBar* progress = m_dialog->Controls().progress;
        QMetaObject::Connection watch;
        if (bar != nullptr) {
            watch = connect(progress, &QProgressBar::valueChanged, this, [progress, bar](int value) {
                bar->values.push_back(value);
                bar->maximum = progress->maximum();
                bar->hiddenWhileStepping |= value > 0 && progress->isHidden();
            });
        }
        m_dialog->Controls().chaptersInfo->click();
        disconnect(watch);
        return m_dialog->findChild<ChaptersDialog*>();
    }
    QString Text(ChaptersDialog* window, const char* edit)
    {
        return window->findChild<QPlainTextEdit*>(QLatin1String(edit))->toPlainText();
    }

    std::unique_ptr<MainDialog> m_dialog;
};

void ChaptersActionTest::showsTheFocusedTracksChaptersAndSplit()
{
    Open({kFolder + QStringLiteral("VTS_01_0.IFO")});
    SetCount(3);
    ChaptersDialog* window = Press(0);
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QVERIFY(window->isModal());
    QCOMPARE(Text(window, "chapterEdit"), QStringLiteral("Chapter 1 = 00:00:00:00\nChapter 2 = 00:00:10:20\n"
                                                         "Chapter 3 = 00:00:25:20\nChapter 4 = 00:00:30:00\n"
                                                         "Chapter 5 = 00:00:40:20\n") +
                                              QString(11, QLatin1Char('\n')));
    // 10, 15 and 20 s on three 700 MB media with 128 Kbps of audio.
    QCOMPARE(Text(window, "splitEdit"),
             QStringLiteral("Media 01: 00h:00m:10s Chapters 01-01 Video Bitrate: 573312\n"
                            "Media 02: 00h:00m:15s Chapters 02-02 Video Bitrate: 382165\n"
                            "Media 03: 00h:00m:20s Chapters 03-05 Video Bitrate: 286592\n") +
                 QString(20, QLatin1Char('\n')));
    // The format list works in the window the command opened.
    auto* formats = window->findChild<QComboBox*>(QStringLiteral("formatList"));
    formats->setCurrentIndex(1);
    QVERIFY(Text(window, "chapterEdit").startsWith(QStringLiteral("Chapter 1 = 0\nChapter 2 = 255\n")));
    window->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    QTRY_VERIFY(m_dialog->findChild<ChaptersDialog*>() == nullptr); // deleted on closing

    // The third track: its last program begins in the last second and is not listed.
    ChaptersDialog* third = Press(2);
    QVERIFY(third != nullptr);
    QVERIFY(Text(third, "chapterEdit")
                .startsWith(QStringLiteral("Chapter 1 = 00:00:00:00\nChapter 2 = 00:00:10:20\n\n")));
    QVERIFY(Text(third, "splitEdit").startsWith(QStringLiteral("You can't split 2 chapters into 3 parts\n")));
}

void ChaptersActionTest::progressBarFillsOncePerFirstChapterOfMediumTwo()
{
    Open({kFolder + QStringLiteral("VTS_01_0.IFO")});
    QProgressBar* progress = m_dialog->Controls().progress;
    QVERIFY(progress->isHidden());

    // Five chapters on three media: medium 2 can begin at chapter 2, 3 or 4.
    SetCount(3);
    BarRecord three;
    QVERIFY(Press(0, &three) != nullptr);
    QCOMPARE(three.values, (std::vector<int>{0, 1, 2, 3}));
    QCOMPARE(three.maximum, 3);
    QVERIFY(!three.hiddenWhileStepping);
    QVERIFY(progress->isHidden());
    m_dialog->findChild<ChaptersDialog*>()->close();
    QTRY_VERIFY(m_dialog->findChild<ChaptersDialog*>() == nullptr);

    // Two media: the bar is set up and hidden again without a step.
    SetCount(2);
    BarRecord two;
    QVERIFY(Press(0, &two) != nullptr);
    QCOMPARE(two.values, (std::vector<int>{0}));
    QCOMPARE(two.maximum, 4);
    QVERIFY(progress->isHidden());
    m_dialog->findChild<ChaptersDialog*>()->close();
    QTRY_VERIFY(m_dialog->findChild<ChaptersDialog*>() == nullptr);

    // One medium: no search, the bar is left alone.
    SetCount(1);
    BarRecord one;
    ChaptersDialog* window = Press(0, &one);
    QVERIFY(window != nullptr);
    QVERIFY(one.values.empty());
    QVERIFY(Text(window, "splitEdit").startsWith(QStringLiteral("Only one media: nothing to split...\n")));
}

void ChaptersActionTest::opensNothingWithoutAFileOrTrack()
{
    const auto expectNothing = [this](int row, const char* why) {
        QVERIFY2(Press(row) == nullptr, why);
        QVERIFY2(QApplication::activeModalWidget() == nullptr, why);
        QVERIFY2(m_dialog->Controls().progress->isHidden(), why);
        // The window still answers: typing recalculates.
        FramedLineEdit* size = m_dialog->Controls().size;
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("650"));
        QCOMPARE(m_dialog->State().mediumSizeMb, 650);
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("700"));
    };
    Open({});
    expectNothing(0, "no file loaded");
    Open({QStringLiteral("/no/such/VTS_01_0.IFO")});
    expectNothing(0, "file gone");
    Open({test_support::LoneVideoManager()});
    expectNothing(0, "not a title set");
    Open({kFolder + QStringLiteral("VTS_01_0.IFO")});
    expectNothing(-1, "no focused track");
    expectNothing(4, "the set has four tracks");
    QVERIFY(Press(3) != nullptr);
}

void ChaptersActionTest::chapterFilesShowAndSaveInOneStep()
{
    Open({kFolder + QStringLiteral("VTS_01_0.IFO")});
    ChaptersDialog* window = Press(0);
    QVERIFY(window != nullptr);
    auto* formats = window->findChild<QComboBox*>(QStringLiteral("formatList"));
    // The chapters a player shows: four parts, the program at 25.2 s is none.
    formats->setCurrentIndex(3);
    QCOMPARE(Text(window, "chapterEdit"),
             QStringLiteral("CHAPTER01=00:00:00.000\nCHAPTER01NAME=Chapter 01\nCHAPTER02=00:00:10.200\n"
                            "CHAPTER02NAME=Chapter 02\nCHAPTER03=00:00:30.000\nCHAPTER03NAME=Chapter 03\n"
                            "CHAPTER04=00:00:40.200\nCHAPTER04NAME=Chapter 04\n"));
    formats->setCurrentIndex(4);

    QTemporaryDir dir;
    test_support::DialogRecorder prompts;
    prompts.nextSaveFileName = dir.filePath(QStringLiteral("saved.xml"));
    auto* save = window->findChild<QPushButton*>(QStringLiteral("saveButton"));
    save->click();
    QCOMPARE(prompts.saveRequests.back().defaultName, QStringLiteral("VTS_01_track01.chapters.xml"));
    QCOMPARE(Slurp(*prompts.nextSaveFileName), QByteArray::fromStdString(window->ChapterText()));
    QVERIFY(
        Slurp(*prompts.nextSaveFileName).contains("<ChapterTimeStart>00:00:40.200000000</ChapterTimeStart>"));

    // A described form is saved as its lines, without the box's padding.
    formats->setCurrentIndex(1);
    save->click();
    QCOMPARE(prompts.saveRequests.back().defaultName, QStringLiteral("VTS_01_track01.start-frames.txt"));
    QCOMPARE(Slurp(*prompts.nextSaveFileName), QByteArray("Chapter 1 = 0\r\nChapter 2 = 255\r\nChapter 3 = "
                                                          "630\r\nChapter 4 = 750\r\nChapter 5 = 1005\r\n"));

    // A failed write says why and leaves the earlier file.
    const QByteArray before = Slurp(*prompts.nextSaveFileName);
    prompts.nextSaveFileName = dir.filePath(QStringLiteral("missing/saved.txt"));
    save->click();
    QCOMPARE(prompts.messages,
             QStringList{QStringLiteral("Could not save %1: cannot create a temporary file beside "
                                        "it: No such file or directory")
                             .arg(*prompts.nextSaveFileName)});
    QCOMPARE(Slurp(dir.filePath(QStringLiteral("saved.xml"))), before);
    prompts.nextSaveFileName.reset(); // cancelled: nothing happens
    save->click();
    QCOMPARE(prompts.messages.size(), 1);
}

void ChaptersActionTest::namesLanguageAndSplitPlans()
{
    Open({kFolder + QStringLiteral("VTS_01_0.IFO")});
    SetCount(3);
    ChaptersDialog* window = Press(0);
    QVERIFY(window != nullptr);
    const QString splitText = Text(window, "splitEdit");
    QTemporaryDir dir;
    test_support::DialogRecorder prompts;

    // Names from a UTF-8 file and a typed language go into the form on show.
    prompts.nextOpenFileName = dir.filePath(QStringLiteral("names.txt"));
    Spill(*prompts.nextOpenFileName, "Début\n<A & b>\n");
    window->findChild<QPushButton*>(QStringLiteral("namesButton"))->click();
    auto* language = window->findChild<QLineEdit*>(QStringLiteral("languageEdit"));
    language->clear();
    QTest::keyClicks(language, QStringLiteral("FrE"));
    window->findChild<QComboBox*>(QStringLiteral("formatList"))->setCurrentIndex(4);
    for (const char* part : {"<ChapterString>Début</ChapterString>", "<ChapterString>&lt;A &amp; b&gt;<",
                             "<ChapterString>Chapter 03<", "<ChapterLanguage>fre<"})
        QVERIFY2(window->ChapterText().find(part) != std::string::npos, part);
    // The XML shows one line per file line, in a fixed-width font.
    auto* chapters = window->findChild<QPlainTextEdit*>(QStringLiteral("chapterEdit"));
    QCOMPARE(chapters->lineWrapMode(), QPlainTextEdit::NoWrap);
    QTRY_VERIFY(chapters->horizontalScrollBar()->isVisibleTo(window) &&
                chapters->horizontalScrollBar()->maximum() > 0);
    QVERIFY(QFontInfo(chapters->font()).fixedPitch());
    // Three letters that are no ISO 639-2 code are not taken, and the window says why.
    language->selectAll();
    QTest::keyClicks(language, QStringLiteral("xyz"));
    QVERIFY(window->ChapterText().find("<ChapterLanguage>fre<") != std::string::npos);
    QVERIFY(
        window->findChild<QLabel*>(QStringLiteral("languageReason"))->text().contains(QStringLiteral("xyz")));
    language->selectAll();
    QTest::keyClicks(language, QStringLiteral("fra"));
    QVERIFY(window->ChapterText().find("<ChapterLanguage>fra<") != std::string::npos);
    QVERIFY(window->findChild<QLabel*>(QStringLiteral("languageReason"))->text().isEmpty());
    language->selectAll();
    QTest::keyClicks(language, QStringLiteral("fre"));
    // An unfinished code gives way to the one in use; a file that is not UTF-8 changes nothing.
    language->setText(QStringLiteral("de"));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(language, &leave);
    QCOMPARE(language->text(), QStringLiteral("fre"));
    const std::string named = window->ChapterText();
    Spill(*prompts.nextOpenFileName, "\xff\n");
    window->findChild<QPushButton*>(QStringLiteral("namesButton"))->click();
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY(prompts.messages[0].startsWith(QStringLiteral("Could not read chapter names from ")));
    QCOMPARE(window->ChapterText(), named);

    // Tab goes through the controls as they stand on the screen, row by row.
    QStringList visited;
    window->findChild<QPlainTextEdit*>(QStringLiteral("chapterEdit"))->setFocus();
    for (int k = 0; k < 8; ++k) {
        visited << window->focusWidget()->objectName();
        QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, (QStringList{"chapterEdit", "splitEdit", "formatList", "okButton", "namesButton",
                                   "languageEdit", "saveButton", "planButton"}));
    QCOMPARE(window->focusWidget()->objectName(), QStringLiteral("chapterEdit"));

    // The split plans: mkvmerge's cut times (medium 3 begins at a program that is no chapter).
    const QList<QAction*> plans =
        window->findChild<QPushButton*>(QStringLiteral("planButton"))->menu()->actions();
    prompts.nextSaveFileName = dir.filePath(QStringLiteral("split.txt"));
    plans[0]->trigger();
    QCOMPARE(prompts.saveRequests.back().defaultName, QStringLiteral("VTS_01_track01.mkvmerge-split.txt"));
    QCOMPARE(Slurp(*prompts.nextSaveFileName),
             QByteArray("--split parts:00:00:00.000000000-00:00:10.200000000,"
                        "00:00:10.200000000-00:00:25.200000000,"
                        "00:00:25.200000000-00:00:45.000000000\n"));
    plans[1]->trigger();
    QCOMPARE(Slurp(*prompts.nextSaveFileName),
             QByteArray("-ss 00:00:00.000000 -to 00:00:10.200000\n-ss 00:00:10.200000 -to "
                        "00:00:25.200000\n-ss 00:00:25.200000 -to 00:00:45.000000\n"));
    // One Matroska file per medium beside the first, each starting at 0.
    prompts.nextSaveFileName = dir.filePath(QStringLiteral("cut.medium01.chapters.xml"));
    plans[4]->trigger();
    QCOMPARE(prompts.saveRequests.back().defaultName, QStringLiteral("VTS_01_track01.medium01.chapters.xml"));
    const QByteArray third = Slurp(dir.filePath(QStringLiteral("cut.medium03.chapters.xml")));
    QVERIFY(third.contains("<ChapterTimeStart>00:00:00.000000000<"));
    QVERIFY(third.contains("<ChapterString>&lt;A &amp; b&gt;<"));
    QCOMPARE(Text(window, "splitEdit"), splitText);

    // Saving the set again asks once, naming every file it replaces; No leaves them all.
    Spill(dir.filePath(QStringLiteral("cut.medium02.chapters.xml")), "mine");
    plans[4]->trigger();
    QCOMPARE(prompts.questions.size(), 1);
    for (int m = 1; m <= 3; ++m)
        QVERIFY(
            prompts.questions[0].contains(dir.filePath(QStringLiteral("cut.medium0%1.chapters.xml").arg(m))));
    QCOMPARE(Slurp(dir.filePath(QStringLiteral("cut.medium02.chapters.xml"))), QByteArray("mine"));
    prompts.nextAnswer = true;
    plans[4]->trigger();
    QVERIFY(Slurp(dir.filePath(QStringLiteral("cut.medium02.chapters.xml"))).contains("<Chapters>"));
    // A typed extension is the files' ending; nothing to replace, nothing asked.
    prompts.nextSaveFileName = dir.filePath(QStringLiteral("my parts.xml"));
    plans[4]->trigger();
    QCOMPARE(prompts.questions.size(), 2);
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("my parts.medium03.xml"))));
}

RATEWISE_WINDOW_TEST(chapters_action_test, ChaptersActionTest)
#include "chapters_action_test.moc"
