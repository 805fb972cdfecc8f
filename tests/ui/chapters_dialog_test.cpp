// SPDX-License-Identifier: GPL-3.0-or-later
// The Chapters Informations window on its own: the format list, the two texts and their colours.
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>

#include "chapters/chapters_dialog.h"
#include "tests/ui/window_test_main.h"
#include "ui/dialog_units.h"

using namespace ratewise;

namespace {

// n chapters a minute apart, with lines that tell the three forms apart.
ChapterList Chapters(int n)
{
    ChapterList list;
    list.chapterCount = n;
    for (int k = 1; k <= n; ++k) {
        const int start = 60 * (k - 1);
        list.timeLines.push_back(QStringLiteral("Chapter %1 = 00:%2:00:00")
                                     .arg(k)
                                     .arg(k - 1, 2, 10, QLatin1Char('0'))
                                     .toStdString());
        list.frameLines.push_back(QStringLiteral("Chapter %1 = %2").arg(k).arg(start * 25).toStdString());
        list.secondLines.push_back(QStringLiteral("Chapter %1 = %2.00").arg(k).arg(start).toStdString());
        list.startSeconds.push_back(start);
    }
    list.startSeconds.push_back(60 * n);
    return list;
}

SplitPlan Plan()
{
    SplitPlan plan;
    plan.splitText = "Media 01: 00h:01m:00s Chapters 01-01 Video Bitrate: 95445\r\n"
                     "Media 02: 00h:02m:00s Chapters 02-03 Video Bitrate: 47658\r\n";
    for (int i = 0; i < 21; ++i)
        plan.splitText += "\r\n";
    return plan;
}

// What the top `height` rows of `image` show of a text drawn light on black cells: the number of
// black pixels, and of light ones inside the box the black pixels span.
struct CellPixels {
    int black = 0;
    int lightInside = 0;
};

CellPixels CountCellPixels(const QImage& image, int height)
{
    CellPixels count;
    QRect box;
    for (int y = 0; y < std::min(height, image.height()); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == QColor(0, 0, 0)) {
                ++count.black;
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x)
            count.lightInside += qGray(image.pixel(x, y)) > 160;
    }
    return count;
}

QString Lines(const ChapterList& list, const std::vector<std::string>& lines, int padding)
{
    QString text;
    for (int i = 0; i < list.chapterCount; ++i)
        text += QString::fromStdString(lines[static_cast<std::size_t>(i)]) + QLatin1Char('\n');
    return text + QString(padding, QLatin1Char('\n'));
}

} // namespace

class ChaptersDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheStartTimesAndTheSplit();
    void formatListSwitchesOnlyTheChapterText();
    void padsShortListsToSixteenLines();
    void drawsTextsWhiteOnBlackCells();
    void okCloses();
};

void ChaptersDialogTest::opensOnTheStartTimesAndTheSplit()
{
    const ChapterList list = Chapters(3);
    ChaptersDialog dialog(list, Plan());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Chapters Informations"));
    QVERIFY(dialog.isModal());
    QCOMPARE(dialog.font().pointSize(), 9);
    // The template's 366 x 168, and one row for names, language and the split plans.
    QCOMPARE(dialog.size(), QSize(DialogUnits(dialog.font()).X(366), DialogUnits(dialog.font()).Y(185)));
    for (const QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        QVERIFY2(dialog.rect().contains(child->geometry()), qPrintable(child->objectName()));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());

    auto* formats = dialog.findChild<QComboBox*>(QStringLiteral("formatList"));
    QCOMPARE(formats->geometry(), DialogUnits(dialog.font()).Rect(127, 147, 178, 12));
    QCOMPARE(formats->count(), 7); // the three forms, then the four chapter files
    QCOMPARE(formats->itemText(0), QStringLiteral("Show Start Time (VcdEasy / SVCD Compliant)"));
    QCOMPARE(formats->itemText(1), QStringLiteral("Show Start Frame (for AviSynth-Trim)"));
    QCOMPARE(formats->itemText(2), QStringLiteral("Show Start Second (for  BeSweet-split)"));
    QCOMPARE(formats->itemText(4), QStringLiteral("Show Matroska XML (mkvmerge)"));
    QCOMPARE(formats->currentIndex(), 0);

    auto* chapters = dialog.findChild<QPlainTextEdit*>(QStringLiteral("chapterEdit"));
    auto* split = dialog.findChild<QPlainTextEdit*>(QStringLiteral("splitEdit"));
    QVERIFY(chapters->isReadOnly() && split->isReadOnly());
    QCOMPARE(chapters->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(chapters->toPlainText(), Lines(list, list.timeLines, 13));
    QCOMPARE(dialog.ChapterText().substr(0, 25), std::string("Chapter 1 = 00:00:00:00\r\n"));
    QCOMPARE(dialog.SplitText(), Plan().splitText);
    QCOMPARE(split->toPlainText(),
             QStringLiteral("Media 01: 00h:01m:00s Chapters 01-01 Video Bitrate: 95445\n"
                            "Media 02: 00h:02m:00s Chapters 02-03 Video Bitrate: 47658\n") +
                 QString(21, QLatin1Char('\n')));
    QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("chaptersGroup"))->title(),
             QStringLiteral("Chapters"));
    QCOMPARE(dialog.findChild<QGroupBox*>(QStringLiteral("splitGroup"))->title(),
             QStringLiteral("Optimal Split"));
}

void ChaptersDialogTest::formatListSwitchesOnlyTheChapterText()
{
    const ChapterList list = Chapters(20);
    ChaptersDialog dialog(list, Plan());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* formats = dialog.findChild<QComboBox*>(QStringLiteral("formatList"));
    auto* chapters = dialog.findChild<QPlainTextEdit*>(QStringLiteral("chapterEdit"));
    auto* split = dialog.findChild<QPlainTextEdit*>(QStringLiteral("splitEdit"));
    const QString splitText = split->toPlainText();
    const QString times = chapters->toPlainText();
    QCOMPARE(times, Lines(list, list.timeLines, 0)); // 20 chapters: no padding

    formats->setFocus();
    QTest::keyClick(formats, Qt::Key_Down);
    QCOMPARE(formats->currentIndex(), 1);
    QCOMPARE(chapters->toPlainText(), Lines(list, list.frameLines, 0));
    QTest::keyClick(formats, Qt::Key_Down);
    QCOMPARE(chapters->toPlainText(), Lines(list, list.secondLines, 0));
    QTest::keyClick(formats, Qt::Key_Up);
    QTest::keyClick(formats, Qt::Key_Up);
    QCOMPARE(formats->currentIndex(), 0);
    QCOMPARE(chapters->toPlainText(), times);
    QCOMPARE(split->toPlainText(), splitText);
    QCOMPARE(dialog.SplitText(), Plan().splitText);
}

void ChaptersDialogTest::padsShortListsToSixteenLines()
{
    ChaptersDialog empty(Chapters(0), Plan());
    auto* formats = empty.findChild<QComboBox*>(QStringLiteral("formatList"));
    auto* chapters = empty.findChild<QPlainTextEdit*>(QStringLiteral("chapterEdit"));
    for (int index : {0, 1, 2}) {
        formats->setCurrentIndex(index);
        QCOMPARE(chapters->toPlainText(), QString(16, QLatin1Char('\n')));
        QCOMPARE(empty.ChapterText().size(), std::size_t{32});
    }
}

void ChaptersDialogTest::drawsTextsWhiteOnBlackCells()
{
    ChaptersDialog dialog(Chapters(3), Plan());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* formats = dialog.findChild<QComboBox*>(QStringLiteral("formatList"));
    formats->setCurrentIndex(2); // the colours survive a new text
    for (const char* name : {"chapterEdit", "splitEdit"}) {
        auto* edit = dialog.findChild<QPlainTextEdit*>(QLatin1String(name));
        const QTextBlock first = edit->document()->firstBlock();
        const QTextCharFormat format = first.begin().fragment().charFormat();
        QCOMPARE(format.foreground().color(), QColor(255, 255, 255));
        QCOMPARE(format.background().color(), QColor(0, 0, 0));
        // Only the characters' cells are black: the rest of the edit keeps its own background.
        const QImage image = edit->viewport()->grab().toImage();
        QVERIFY(image.pixelColor(image.width() - 3, image.height() - 3) != QColor(0, 0, 0));
        const CellPixels cells = CountCellPixels(image, 4 + edit->fontMetrics().height());
        QVERIFY2(cells.black > 100 && cells.lightInside > 20, name);
    }
    // The group boxes' captions too: black cells with white text in the caption's strip.
    for (const char* name : {"chaptersGroup", "splitGroup"}) {
        const QImage caption = dialog.findChild<QGroupBox*>(QLatin1String(name))->grab().toImage();
        const CellPixels cells = CountCellPixels(caption, dialog.fontMetrics().height());
        QVERIFY2(cells.black > 100 && cells.lightInside > 20, name);
    }
}

void ChaptersDialogTest::okCloses()
{
    ChaptersDialog dialog(Chapters(2), Plan());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okButton"));
    QVERIFY(ok->isDefault());
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

RATEWISE_WINDOW_TEST(chapters_dialog_test, ChaptersDialogTest)
#include "chapters_dialog_test.moc"
