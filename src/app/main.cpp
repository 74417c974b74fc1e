// tarrox2: the editor. Builds the one document, the settings and the host services, and hands
// them to the main window.
#include <QApplication>
#include <QStandardPaths>
#include <QStringList>
#include <memory>

#include "document/DialogDocument.h"
#include "editor/MainWindow.h"
#include "editor/Settings.h"
#include "platform/DataFolders.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtSettingsStore.h"
#include "preview/TextState.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tarrox::SetProgramFolder(QCoreApplication::applicationDirPath().toLocal8Bit().toStdString());
    // Imported game files live per user, never beside the program.
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!appData.isEmpty())
        tarrox::SetUserDataFolder((appData + "/data").toLocal8Bit().toStdString());

    // The window takes the text after the program's path whole, as one line.
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    std::string commandLine = args.join(' ').toLocal8Bit().toStdString();

    auto doc = std::make_unique<tarrox::DialogDocument>();
    tarrox::Settings settings;
    tarrox::QtDialogs dialogs;
    tarrox::QtSettingsStore store;
    tarrox::TextDrawingState text;
    tarrox::MainWindow form(*doc, settings, dialogs, store, text);
    dialogs.SetParent(&form);
    form.show();
    form.Startup(commandLine);
    return app.exec();
}
