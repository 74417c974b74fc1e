// Set TARROX_SCREENSHOTS to a folder to see every window as it is drawn: the main window, the
// preview of the sample in each colour set and scheme, the browser, the card and the about
// window.
#include <QTest>

#include "PreviewFixture.h"
#include "archive/qt/ArchiveBrowser.h"
#include "reference/AboutWindow.h"
#include "reference/FormattingCodesCard.h"

namespace tarrox::test {
namespace {

TEST_F(PreviewTest, Screenshots) {
    const char* env = std::getenv("TARROX_SCREENSHOTS");
    if (!env) GTEST_SKIP();
    const QString folder(env);
    auto save = [&](QWidget* w, const QString& name) {
        EXPECT_TRUE(w->grab().save(folder + "/" + name + ".png")) << name.toStdString();
    };
    std::filesystem::copy_file(dir / "data" / "tfontgam.pcx", dir / "custom.pcx");
    StartWithSample();
    form->show();
    List("objectList")->setCurrentRow(4);
    save(form.get(), "form1");

    Trigger("viewPreview");
    PreviewWindow* preview = form->Preview();
    for (int scheme = 0; scheme < 3; ++scheme) {
        preview->findChild<QAction*>(QString("colorScheme%1").arg(scheme))->trigger();
        for (int set = 0; set < 3; ++set) {
            preview->findChild<QAction*>(QString("fontColorSet%1").arg(set))->trigger();
            save(preview, QString("preview_s%1_c%2").arg(scheme).arg(set));
        }
    }

    ArchiveBrowser browser(
        dialogs, "x.mpq", {{"rez\\glumain.bin"}, {"rez\\options.bin", 1031}, {"rez\\glusingl.bin"}},
        nullptr, form.get());
    browser.show();
    browser.findChild<QListWidget*>("fileList")->setCurrentRow(1);
    save(&browser, "form4");

    Trigger("viewFormattingCodes");
    save(form->CodesCard(), "codesCard_nocustom");
    form->CodesCard()->close();
    SettleClosedWindows();
    settings.CustomColorFile = Path("custom.pcx");
    Trigger("viewFormattingCodes");
    save(form->CodesCard(), "codesCard_custom");

    AboutWindow about(text, form.get());
    about.show();
    save(&about, "form3_rest");
    QTest::mouseMove(about.findChild<QWidget*>("closeBox"), QPoint(40, 12));
    save(&about, "form3_lit");
}

} // namespace
} // namespace tarrox::test
