// SPDX-License-Identifier: GPL-3.0-or-later
// ratewise_screenshots OUT_DIR: the pictures of the README and the AppStream metainfo, taken by
// the program itself on the offscreen platform. It writes a film-length title set (the fixture
// writer's, so every picture is the same on every machine), opens it in the main window and clicks
// the buttons a user clicks: main-window.png, bitrate-explorer.png, chapters.png and
// vcd-project.png; then the Encode window during and after a real ffmpeg encode of a short disc
// authored for it (encode-running.png, encode-done.png). tools/screenshots runs it into
// docs/screenshots.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <vector>

#include "app/main_dialog.h"
#include "app/window_slide.h"
#include "chapters/chapters_dialog.h"
#include "encode/encode_dialog.h"
#include "explorer/bitrate_explorer_window.h"
#include "project/vcd_project_dialog.h"
#include "tests/ifo/title_set_writer.h"
#include "ui/app_resources.h"
#include "ui/framed_line_edit.h"

namespace {

namespace writer = ratewise::test_support;

constexpr double kKbpsPerSectorSecond = 16.0; // a 2048-byte sector each second, in 1024-bit kbits

// One program chain of `seconds` in `chapters` equal chapters (one cell each), whose time map
// entries every `unit` seconds follow a video bitrate that changes from scene to scene.
struct ChainShape {
    int seconds;
    int chapters;
    int unit;
    double meanKbps;
};

void AddChain(writer::TitleSetDraft& draft, const ChainShape& shape, std::uint32_t& sector, unsigned& noise)
{
    writer::TimeMapDraft map;
    map.timeUnit = static_cast<std::uint8_t>(shape.unit);
    std::vector<std::uint32_t> sectorAt{sector}; // the sector reached at each multiple of the unit
    for (int t = shape.unit; t <= shape.seconds; t += shape.unit) {
        noise = noise * 1103515245u + 12345u; // the same numbers on every run
        const double jitter = static_cast<double>(noise >> 16 & 0x7FFF) / 32767.0 - 0.5;
        const double scene = std::sin(t / 97.0) + 0.6 * std::sin(t / 23.0 + 1.0);
        const double kbps = shape.meanKbps * (1.0 + 0.22 * scene + 0.3 * jitter);
        sector += static_cast<std::uint32_t>(kbps * shape.unit / kKbpsPerSectorSecond);
        sectorAt.push_back(sector);
        map.entries.push_back(sector);
    }

    writer::PgcDraft pgc;
    pgc.time = writer::BcdTime(shape.seconds / 3600, shape.seconds / 60 % 60, shape.seconds % 60, 0);
    pgc.programMap.clear();
    const int chapterSeconds = shape.seconds / shape.chapters;
    for (int c = 0; c < shape.chapters; ++c) {
        const int begin = c * chapterSeconds;
        const int length = c + 1 == shape.chapters ? shape.seconds - begin : chapterSeconds;
        writer::CellDraft cell;
        cell.time = writer::BcdTime(length / 3600, length / 60 % 60, length % 60, c * 7 % 25);
        cell.firstSector = sectorAt[static_cast<std::size_t>(begin / shape.unit)];
        cell.lastSector = sectorAt[static_cast<std::size_t>((begin + length) / shape.unit)] - 1;
        cell.cellId = static_cast<std::uint8_t>(c + 1);
        pgc.cells.push_back(cell);
        pgc.programMap.push_back(static_cast<std::uint8_t>(c + 1));
    }
    for (std::size_t k = 0; k < draft.audioCount; ++k)
        pgc.audioControl[k] = static_cast<std::uint16_t>(0x8000 | k << 8);
    for (std::size_t k = 0; k < draft.subpictureCount; ++k)
        pgc.subpictureControl[k] = 0x80000000u | static_cast<std::uint32_t>(k) << 24;
    draft.pgcs.push_back(pgc);
    draft.timeMaps->push_back(map);
}

// A PAL 16:9 film of 1:52:14 in 28 chapters, with two audio tracks and three subtitle tracks,
// followed by a trailer, a making-of and a short logo.
QByteArray FilmTitleSet()
{
    writer::TitleSetDraft draft;
    draft.video0 = 0x5C; // MPEG-2, PAL, 16:9
    draft.audioCount = 2;
    draft.audio[0] = {0 << 5 | 0x04, 5, 'e', 'n', 0, 0, 0, 0}; // AC-3 5.1, English
    draft.audio[1] = {0 << 5 | 0x04, 1, 'f', 'r', 0, 0, 0, 0}; // AC-3 stereo, French
    draft.subpictureCount = 3;
    draft.subpictures[0] = {0x01, 0, 'e', 'n', 0, 0};
    draft.subpictures[1] = {0x01, 0, 'f', 'r', 0, 0};
    draft.subpictures[2] = {0x01, 0, 'd', 'e', 0, 0};
    draft.timeMaps.emplace();
    std::uint32_t sector = 0;
    unsigned noise = 2026;
    AddChain(draft, {1 * 3600 + 52 * 60 + 14, 28, 4, 5200.0}, sector, noise);
    AddChain(draft, {2 * 60 + 11, 1, 1, 6800.0}, sector, noise);
    AddChain(draft, {18 * 60 + 40, 6, 2, 4300.0}, sector, noise);
    AddChain(draft, {8, 1, 1, 2500.0}, sector, noise);
    const std::vector<std::uint8_t> bytes = writer::WriteTitleSet(draft).bytes;
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

bool Save(QWidget* window, const QDir& folder, const char* name)
{
    if (window == nullptr) {
        std::fprintf(stderr, "ratewise_screenshots: %s: the window did not open\n", name);
        return false;
    }
    QTest::qWait(50); // let queued layouts and repaints settle
    const QString path = folder.filePath(QString::fromLatin1(name));
    if (!window->grab().toImage().save(path)) {
        std::fprintf(stderr, "ratewise_screenshots: %s: cannot write\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

template <typename Window> Window* Open(ratewise::MainDialog& main, QPushButton* button)
{
    button->click();
    Window* window = main.findChild<Window*>();
    return window != nullptr && QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

// The Encode window on a 20-second disc (tests/encode/make_test_dvd.sh) for a 3 MB medium: once
// its second pass is under way, and with its result.
bool SaveEncodeWindow(const QDir& folder, const QTemporaryDir& scratch)
{
    QProcess make;
    make.start(QStringLiteral("sh"), {QStringLiteral(RATEWISE_TEST_DVD_SCRIPT),
                                      scratch.filePath(QStringLiteral("disc")), QStringLiteral("pal")});
    if (!make.waitForFinished(120000) || make.exitCode() != 0) {
        std::fprintf(stderr,
                     "ratewise_screenshots: the encode's disc cannot be made (ffmpeg, dvdauthor): %s\n",
                     make.readAllStandardError().constData());
        return false;
    }
    qputenv("PATH", QByteArray(RATEWISE_CLI_DIR ":") + qgetenv("PATH"));
    ratewise::MainDialog main(QStringList{scratch.filePath(QStringLiteral("disc/VIDEO_TS/VTS_01_0.IFO"))},
                              nullptr);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return false;
    main.Controls().size->setFocus();
    main.Controls().size->selectAll();
    QTest::keyClicks(main.Controls().size, QStringLiteral("3"));
    auto* window = static_cast<ratewise::EncodeDialog*>(main.OpenEncodeWindow());
    if (window == nullptr || !QTest::qWaitForWindowExposed(window))
        return Save(nullptr, folder, "encode-running.png");
    // A folder named as a user's, so the picture is the same on every machine.
    const QString out = QDir::temp().filePath(QStringLiteral("Videos"));
    QDir().mkpath(out);
    QFile::remove(QDir(out).filePath(QStringLiteral("Film.mkv")));
    window->findChild<QComboBox*>(QStringLiteral("encoderList"))->setCurrentIndex(1);
    window->findChild<QComboBox*>(QStringLiteral("speedList"))->setCurrentText(QStringLiteral("slow"));
    window->findChild<QLineEdit*>(QStringLiteral("folderEdit"))->setText(out);
    window->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->setText(QStringLiteral("Film.mkv"));
    if (!window->StartEncode())
        return Save(nullptr, folder, "encode-running.png");
    auto* bar = window->findChild<QProgressBar*>(QStringLiteral("encodeProgress"));
    const bool midway = QTest::qWaitFor([&] { return !window->Running() || bar->value() >= 60; }, 120000);
    bool saved = Save(midway && window->Running() ? window : nullptr, folder, "encode-running.png");
    const bool done = QTest::qWaitFor([&] { return !window->Running(); }, 120000);
    saved = Save(done ? window : nullptr, folder, "encode-done.png") && saved;
    delete window;
    QFile::remove(QDir(out).filePath(QStringLiteral("Film.mkv")));
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Twice the pixels, so the pictures stay sharp on the screens that show them.
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ratewise_screenshots OUT_DIR\n");
        return 2;
    }
    QApplication::setWindowIcon(ratewise::ApplicationIcon());
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir scratch;
    const QString ifo = scratch.filePath(QStringLiteral("VTS_01_0.IFO"));
    QFile file(ifo);
    if (!folder.mkpath(QStringLiteral(".")) || !file.open(QIODevice::WriteOnly) ||
        file.write(FilmTitleSet()) < 0) {
        std::fprintf(stderr, "ratewise_screenshots: cannot write the title set or %s\n", argv[1]);
        return 1;
    }
    file.close();

    // The film on two 80-minute CDs with 224 Kbps audio, after the window has slid open.
    ratewise::MainDialog main(QStringList{ifo}, nullptr);
    main.show();
    if (!QTest::qWaitForWindowExposed(&main) ||
        !QTest::qWaitFor([&main] { return !main.Slide().IsSliding(); })) {
        std::fprintf(stderr, "ratewise_screenshots: the main window did not open\n");
        return 1;
    }
    const ratewise::MainDialogControls& c = main.Controls();
    c.count->setFocus();
    QTest::keyClick(c.count, Qt::Key_Up);
    c.audio1->setFocus();
    c.audio1->selectAll();
    QTest::keyClicks(c.audio1, QStringLiteral("224"));
    c.tracks->setFocus();
    bool saved = Save(&main, folder, "main-window.png");

    auto* explorer = Open<ratewise::BitrateExplorerWindow>(main, c.bitrateInfo);
    saved = Save(explorer, folder, "bitrate-explorer.png") && saved;
    delete explorer;
    auto* chapters = Open<ratewise::ChaptersDialog>(main, c.chaptersInfo);
    // With the focus on OK, the chapter list shows no selection.
    if (auto* ok =
            chapters != nullptr ? chapters->findChild<QPushButton*>(QStringLiteral("okButton")) : nullptr)
        ok->setFocus();
    saved = Save(chapters, folder, "chapters.png") && saved;
    delete chapters;
    auto* project = Open<ratewise::VcdProjectDialog>(main, c.createVcd);
    saved = Save(project, folder, "vcd-project.png") && saved;
    delete project;
    saved = SaveEncodeWindow(folder, scratch) && saved;
    return saved ? 0 : 1;
}
