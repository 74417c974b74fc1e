// Saves a picture of every window as it is drawn: the main window on the sample, the preview
// in each scheme and colour set, the archive browser, the codes card with and without a custom
// table, and the about window at rest and lit. Run by scripts/screenshots.sh.
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <cstdio>
#include <memory>

#include "archive/qt/ArchiveBrowser.h"
#include "document/DialogDocument.h"
#include "editor/MainWindow.h"
#include "editor/PreviewWindow.h"
#include "editor/Settings.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/QtDialogs.h"
#include "preview/TextState.h"
#include "reference/AboutWindow.h"
#include "reference/FormattingCodesCard.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: screenshots OUT_DIR DIALOG.bin\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    tarrox::SetProgramFolder(QCoreApplication::applicationDirPath().toLocal8Bit().toStdString());
    bool saved = true;
    auto save = [&](QWidget* w, const QString& name) {
        if (w->grab().save(folder + "/" + name + ".png")) return;
        std::fprintf(stderr, "Error: could not save %s\n", qPrintable(name));
        saved = false;
    };

    auto doc = std::make_unique<tarrox::DialogDocument>();
    tarrox::Settings settings;
    tarrox::QtDialogs dialogs;
    tarrox::MemorySettingsStore store; // the defaults; the user's settings stay untouched
    tarrox::TextDrawingState text;
    tarrox::MainWindow form(*doc, settings, dialogs, store, text);
    dialogs.SetParent(&form);
    form.Startup(argv[2]);
    form.show();
    form.findChild<QListWidget*>("objectList")->setCurrentRow(4);
    save(&form, "main_window");

    form.findChild<QAction*>("viewPreview")->trigger();
    tarrox::PreviewWindow* preview = form.Preview();
    auto choose = [&](const QString& item) { preview->findChild<QAction*>(item)->trigger(); };
    for (int scheme = 0; scheme < 3; ++scheme) {
        choose(QString("colorScheme%1").arg(scheme));
        for (int set = 0; set < 3; ++set) {
            choose(QString("fontColorSet%1").arg(set));
            save(preview, QString("preview_s%1_c%2").arg(scheme).arg(set));
        }
    }
    choose("viewGameArt");
    save(preview, "preview_art");
    choose("raceZerg");
    choose("background_none");
    save(preview, "preview_art_ingame_zerg");
    choose("viewGameArt");

    tarrox::ArchiveBrowser browser(
        dialogs, "x.mpq", {{"rez\\glumain.bin"}, {"rez\\options.bin", 1031}, {"rez\\glusingl.bin"}},
        nullptr, &form);
    browser.show();
    browser.findChild<QListWidget*>("fileList")->setCurrentRow(1);
    save(&browser, "archive_browser");

    form.findChild<QAction*>("viewFormattingCodes")->trigger();
    save(form.CodesCard(), "codes_card_nocustom");
    form.CodesCard()->close();
    settings.CustomColorFile = tarrox::DataFile("data/tfontgam.pcx");
    form.findChild<QAction*>("viewFormattingCodes")->trigger();
    save(form.CodesCard(), "codes_card_custom");

    tarrox::AboutWindow about(text, &form);
    about.show();
    save(&about, "about_rest");
    QTest::mouseMove(about.findChild<QWidget*>("closeBox"), QPoint(40, 12));
    save(&about, "about_lit");
    return saved ? 0 : 1;
}
