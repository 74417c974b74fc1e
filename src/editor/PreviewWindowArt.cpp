// The preview's art view: View > Game Art, the Background folder chosen per dialog name, the
// in-game Race, and the status line naming missing art.
#include <QAction>
#include <QMenu>
#include <algorithm>

#include "editor/PreviewWindow.h"
#include "editor/Settings.h"
#include "platform/DataFolders.h"
#include "platform/Gdi.h"

namespace tarrox {

namespace {

constexpr const char* NoFolder = "none";
constexpr const char* RaceCaptions[] = {"Terran", "Protoss", "Zerg"};

} // namespace

void PreviewWindow::BuildArtMenus(QMenu* view) {
    gameArt_ = view->addAction("Game Art");
    gameArt_->setObjectName("viewGameArt");
    gameArt_->setCheckable(true);
    gameArt_->setChecked(settings_.GameArt);
    connect(gameArt_, &QAction::triggered, this, [this] { GameArtToggled(); });

    // Folders can be imported while the window is open: the list is made when it opens.
    backgroundMenu_ = view->addMenu("Background");
    backgroundMenu_->setObjectName("viewBackground");
    connect(backgroundMenu_, &QMenu::aboutToShow, this, [this] { FillBackgroundMenu(); });
    FillBackgroundMenu();

    QMenu* race = view->addMenu("Race");
    race->setObjectName("viewRace");
    for (size_t i = 0; i < races_.size(); ++i) {
        races_[i] = race->addAction(RaceCaptions[i]);
        races_[i]->setObjectName(QString("race%1").arg(RaceCaptions[i]));
        races_[i]->setCheckable(true);
        races_[i]->setChecked(settings_.ArtRace == int(i));
        connect(races_[i], &QAction::triggered, this,
                [this, i] { RaceChosen(static_cast<Race>(i)); });
    }
}

void PreviewWindow::FillBackgroundMenu() {
    backgroundMenu_->clear();
    const std::string chosen = CurrentArtChoice().Folder;
    auto add = [&](const std::string& folder, const QString& caption) {
        QAction* item = backgroundMenu_->addAction(caption);
        item->setObjectName("background_" + QString::fromLatin1(folder));
        item->setCheckable(true);
        item->setChecked(LowerCase(folder) == LowerCase(chosen.empty() ? NoFolder : chosen));
        connect(item, &QAction::triggered, this, [this, folder] { BackgroundChosen(folder); });
    };
    for (const std::string& folder : ArtFoldersFound(GameDataFolders()))
        add(folder, QString::fromLatin1(folder));
    backgroundMenu_->addSeparator();
    add(NoFolder, "None");
}

std::string PreviewWindow::OpenDialogName() const {
    return DialogName(file_.FromArchive ? file_.ArchivedName : file_.Path);
}

ArtChoice PreviewWindow::CurrentArtChoice() const {
    const std::string name = OpenDialogName();
    ArtChoice choice;
    const auto chosen = ChosenArtFolder(settings_, name);
    choice.Folder =
        chosen ? (*chosen == NoFolder ? std::string() : *chosen) : DefaultArtFolder(name);
    choice.InGameRace = static_cast<Race>(std::clamp(settings_.ArtRace, 0, 2));
    return choice;
}

void PreviewWindow::GameArtToggled() {
    settings_.GameArt = !settings_.GameArt;
    gameArt_->setChecked(settings_.GameArt);
    RedrawPreview();
}

void PreviewWindow::BackgroundChosen(const std::string& folder) {
    ChooseArtFolder(settings_, OpenDialogName(), folder);
    // Only the check marks: the item chosen is still being triggered, so the menu's items must
    // stay alive; the menu is filled anew each time it opens.
    const QString chosen = "background_" + QString::fromLatin1(folder);
    for (QAction* item : backgroundMenu_->actions())
        if (item->isCheckable()) item->setChecked(item->objectName() == chosen);
    RedrawPreview();
}

void PreviewWindow::RaceChosen(Race race) {
    settings_.ArtRace = static_cast<int32_t>(race);
    for (size_t i = 0; i < races_.size(); ++i) races_[i]->setChecked(settings_.ArtRace == int(i));
    RedrawPreview();
}

} // namespace tarrox
