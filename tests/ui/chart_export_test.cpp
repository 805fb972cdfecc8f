// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's chart export: its arguments, the PNG it writes (the window's chart in the
// default colours, at the requested size) and its exit statuses.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

#include "explorer/chart_export.h"
#include "explorer/chart_painter.h"
#include "explorer/explorer_source.h"
#include "tests/ui/window_test_main.h"
#include "ui/dialog_units.h"

using namespace ratewise;

namespace {

const std::string kCells = RATEWISE_FIXTURES_DIR "/ifo/pal_d1_3audio_cells/VTS_01_0.IFO";

} // namespace

class ChartExportTest : public QObject
{
    Q_OBJECT

private slots:
    void readsItsArguments();
    void writesThePictureAtTheRequestedSize();
    void defaultSizeIsTheWindowsChartArea();
    void reportsBadInputUnknownTracksAndUnwritableFiles();

private:
    int Export(const std::vector<std::string>& args, std::string* error = nullptr)
    {
        std::ostringstream err;
        const std::optional<ChartExportRequest> request = ParseChartExport(args, err);
        const int status = request ? ExportChart(*request, err) : int{kChartExportUsage};
        if (error != nullptr)
            *error = err.str();
        return status;
    }
    std::string Out(const char* name) const
    {
        return QDir(m_dir.path()).filePath(QLatin1String(name)).toStdString();
    }

    QTemporaryDir m_dir;
};

void ChartExportTest::readsItsArguments()
{
    std::ostringstream err;
    const auto request =
        ParseChartExport({"--chart", "a.ifo", "--track", "3", "--png", "o.png", "--height", "200"}, err);
    QVERIFY(request.has_value());
    QCOMPARE(request->ifoPath, std::string("a.ifo"));
    QCOMPARE(request->track, 3);
    QCOMPARE(request->pngPath, std::string("o.png"));
    QVERIFY(!request->width.has_value());
    QCOMPARE(request->height, std::optional<int>(200));
    QCOMPARE(err.str(), std::string());

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--chart", "a.ifo", "--track", "1"},                                    // no --png
             {"--chart", "a.ifo", "--png", "o.png"},                                  // no --track
             {"--chart", "a.ifo", "--track", "0", "--png", "o.png"},                  // tracks start at 1
             {"--chart", "a.ifo", "--track", "1", "--png", "o.png", "--width", "9x"}, // not a number
             {"--chart", "a.ifo", "--track", "1", "--png", "o.png", "--depth", "8"},  // unknown
             {"--chart", "a.ifo", "--track", "1", "--png"},                           // no value
         }) {
        std::ostringstream badErr;
        QVERIFY(!ParseChartExport(bad, badErr).has_value());
        QVERIFY(QString::fromStdString(badErr.str()).startsWith(QStringLiteral("ratewise: usage: ")));
    }
    char program[] = "ratewise";
    char chart[] = "--chart";
    char* withChart[] = {program, chart};
    char* without[] = {program};
    QVERIFY(IsChartExport(2, withChart));
    QVERIFY(!IsChartExport(1, without));
}

void ChartExportTest::writesThePictureAtTheRequestedSize()
{
    const std::string out = Out("chart.png");
    std::string error;
    QCOMPARE(Export({"--chart", kCells, "--track", "3", "--png", out, "--width", "640", "--height", "360"},
                    &error),
             int{kChartExportOk});
    QCOMPARE(error, std::string());
    const QImage written(QString::fromStdString(out));
    QCOMPARE(written.size(), QSize(640, 360));
    // The same picture the window would copy, in the default colours.
    std::ostringstream err;
    const ExplorerRead read = ReadExplorerData(kCells, {}, 2, err);
    QVERIFY(read.data.has_value());
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32), RenderChart(*read.data, QSize(640, 360)));
    QCOMPARE(written.pixelColor(2, 2), QColor(255, 255, 255));
}

void ChartExportTest::defaultSizeIsTheWindowsChartArea()
{
    const std::string out = Out("default.png");
    QCOMPARE(Export({"--chart", kCells, "--track", "1", "--png", out}), int{kChartExportOk});
    QCOMPARE(QImage(QString::fromStdString(out)).size(),
             DialogUnits(DialogFont()).Rect(0, 0, 370, 180).size());
    const std::string wide = Out("wide.png");
    QCOMPARE(Export({"--chart", kCells, "--track", "1", "--png", wide, "--width", "1000"}),
             int{kChartExportOk});
    QCOMPARE(QImage(QString::fromStdString(wide)).width(), 1000);
}

void ChartExportTest::reportsBadInputUnknownTracksAndUnwritableFiles()
{
    std::string error;
    QCOMPARE(Export({"--chart", "missing.IFO", "--track", "1", "--png", Out("x.png")}, &error),
             int{kChartExportBadInput});
    // The reasons the command line gives.
    QCOMPARE(error, std::string("ratewise: missing.IFO: no such file\n"));
    QCOMPARE(Export({"--chart", kCells, "--track", "9", "--png", Out("x.png")}, &error),
             int{kChartExportUsage});
    QCOMPARE(error, std::string("ratewise: --track: no track 9: the title set has 4\n"));
    QCOMPARE(Export({"--chart", kCells, "--track", "1", "--png", Out("no-such-folder/x.png")}, &error),
             int{kChartExportWriteFailed});
    QCOMPARE(error, std::string("ratewise: ") + Out("no-such-folder/x.png") +
                        ": cannot create a temporary file beside it: No such file or directory\n");
    QVERIFY(!QFile::exists(QString::fromStdString(Out("x.png"))));
}

RATEWISE_WINDOW_TEST(chart_export_test, ChartExportTest)
#include "chart_export_test.moc"
