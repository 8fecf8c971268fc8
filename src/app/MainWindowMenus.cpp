// The main window's menus: one table gives each item its menu, object name,
// language key, caption, shortcut and command; it builds the menus and routes
// the language file's captions.
#include <QMenuBar>
#include <QUrl>

#include "app/MainWindow.h"
#include "core/color/ColorCodes.h"
#include "colorlist/ColorListController.h"
#include "config/LanguageService.h"
#include "config/LoginStartSwitch.h"
#include "core/config/ProgramInfo.h"
#include "config/Translations.h"
#include "exchange/ListFileService.h"
#include "ui/Prompts.h"
#include "ui/QtImages.h"

namespace {
const char* const kCaptionProperty = "huebirdCaption";
} // namespace

const std::vector<MainWindow::MenuItem>& MainWindow::menuItems()
{
    using Ui = MainWindowUi;
    using W = MainWindow;
    static const std::vector<MenuItem> items = {
        {&Ui::MenuFile, "MenuOpenColorList", "MenuOpenColorList", "Open color list", kNoShortcut,
         [](W& w) { w.listFiles_->open(); }},
        {&Ui::MenuFile, "MenuSaveColorList", "MenuSaveColorList", "Save color list", kNoShortcut,
         [](W& w) { w.listFiles_->save(); }},
        {&Ui::MenuFile, "MenuExportColorList", "MenuExportColorList",
         "Export color list...", kNoShortcut, [](W& w) { w.listFiles_->exportList(); }},
        {&Ui::MenuFile, "N4", nullptr, nullptr, kNoShortcut, nullptr},
        {&Ui::MenuFile, "MenuClose", "MenuClose", "Close", kNoShortcut, [](W& w) { w.close(); }},

        {&Ui::MenuEdit, "MenuCopyColorList", "MenuCopyColorList", "Copy color list", kNoShortcut,
         [](W& w) { w.listFiles_->copyList(); }},
        {&Ui::MenuEdit, "MenuClearColorList", "MenuClearColorList", "Clear list", kNoShortcut,
         [](W& w) { w.listController_->clear(); }},
        {&Ui::MenuEdit, "N3", nullptr, nullptr, kNoShortcut, nullptr},
        {&Ui::MenuEdit, "MenuCut", "MenuCut", "Cut", Qt::CTRL | Qt::Key_X, [](W& w) { w.listController_->cutCode(); },
         &Ui::MenuCut},
        {&Ui::MenuEdit, "MenuCopy", "MenuCopy", "Copy", Qt::CTRL | Qt::Key_C, [](W& w) { w.listController_->copyCode(); },
         &Ui::MenuCopy},
        {&Ui::MenuEdit, "MenuCopyAs", "MenuCopyAs", "Copy as", kNoShortcut, nullptr, nullptr,
         [](W& w, QMenu& submenu) { w.fillCopyAsMenu(submenu); }},
        {&Ui::MenuEdit, "MenuPaste", "MenuPaste", "Paste", Qt::CTRL | Qt::ALT | Qt::Key_V,
         [](W& w) { w.listController_->pasteCode(); }, &Ui::MenuPaste},

        {&Ui::MenuOptions, "MenuHotkey", "MenuHotkey", "Hotkey", kNoShortcut, [](W& w) { w.editHotkey(); }},
        {&Ui::MenuOptions, "MenuLanguage", "MenuLanguage", "Language", kNoShortcut, [](W& w) { w.language_->choose(); }},
        {&Ui::MenuOptions, "MenuStartAtLogin", "MenuStartAtLogin", "Start at login", kNoShortcut,
         [](W& w) { w.loginStart_->apply(); }, &Ui::MenuStartAtLogin},
        {&Ui::MenuOptions, "N6", nullptr, nullptr, kNoShortcut, nullptr},
        {&Ui::MenuOptions, "MenuColorListManaging", "MenuColorListManaging",
         "Color list managing", kNoShortcut, [](W& w) { w.listController_->openManager(); }},
        {&Ui::MenuOptions, "MenuSwatches", "MenuSwatches", "Open palette...", kNoShortcut,
         [](W& w) { w.listFiles_->openPalette(); }},
        {&Ui::MenuOptions, "MenuPick", "MenuPick", "Pick", kNoShortcut, [](W& w) { w.startPickMode(); }},
        {&Ui::MenuOptions, "MenuSample", "MenuSample", "Sample", kNoShortcut, nullptr, nullptr,
         [](W& w, QMenu& submenu) { w.ui_.MenuSample = &submenu; }},
        {&Ui::MenuSample, "MenuSample1", "MenuSample1", "1 px", kNoShortcut, [](W& w) { w.setSampleSide(1); }},
        {&Ui::MenuSample, "MenuSample3", "MenuSample3", "3 \u00d7 3", kNoShortcut, [](W& w) { w.setSampleSide(3); }},
        {&Ui::MenuSample, "MenuSample5", "MenuSample5", "5 \u00d7 5", kNoShortcut, [](W& w) { w.setSampleSide(5); }},
        {&Ui::MenuSample, "MenuSample9", "MenuSample9", "9 \u00d7 9", kNoShortcut, [](W& w) { w.setSampleSide(9); }},

        {&Ui::MenuHelp, "MenuHelpIndex", "MenuHelpIndex", "Help Index", Qt::CTRL | Qt::Key_F1,
         [](W& w) { w.language_->showHelp(); }},
        {&Ui::MenuHelp, "N5", nullptr, nullptr, kNoShortcut, nullptr},
        {&Ui::MenuHelp, "MenuWebsite", "MenuWebsite", "Web Site Huebird", kNoShortcut,
         [](W& w) { w.prompts_.openUrl(QUrl(QString::fromLatin1(kWebSiteUrl))); }},
        {&Ui::MenuHelp, "N2", nullptr, nullptr, kNoShortcut, nullptr},
        {&Ui::MenuHelp, "MenuAbout", "MenuAbout", "About...", kNoShortcut, [](W& w) { w.showAbout(); }},

        // The language files still use the names these items first had.
        {&Ui::ContextMenu, "ContextCaptureColor", "MenuCaptureColor", "Capture color", kNoShortcut,
         [](W& w) { w.captureColor(); }, &Ui::ContextCaptureColor},
        {&Ui::ContextMenu, "ContextCopyColorList", "PopupCopyColorList",
         "Copy color list", kNoShortcut, [](W& w) { w.listFiles_->copyList(); }},
        {&Ui::ContextMenu, "ContextDeleteColor", "PopUpDeleteColor", "Delete color", Qt::Key_Delete,
         [](W& w) { w.listController_->deleteSelected(); }},
        {&Ui::ContextMenu, "ContextClearColorList", "PopUpClearColorList", "Delete all",
         kNoShortcut, [](W& w) { w.listController_->clear(); }},
        {&Ui::ContextMenu, "N1", nullptr, nullptr, kNoShortcut, nullptr},
        {&Ui::ContextMenu, "ContextCut", "PopupCut", "Cut", kNoShortcut, [](W& w) { w.listController_->cutCode(); }},
        {&Ui::ContextMenu, "ContextCopy", "PopupCopy", "Copy", kNoShortcut, [](W& w) { w.listController_->copyCode(); }},
        {&Ui::ContextMenu, "ContextPaste", "PopupPaste", "Paste", kNoShortcut, [](W& w) { w.listController_->pasteCode(); }},
    };
    return items;
}

void MainWindow::createMenus()
{
    for (const MenuItem& entry : menuItems()) {
        QMenu* menu = ui_.*entry.menu;
        if (!entry.languageKey) {
            menu->addSeparator()->setObjectName(entry.objectName);
            menuActions_.push_back(nullptr);
            continue;
        }
        if (entry.fillSubmenu) {
            auto* submenu = new QMenu(this);
            submenu->setObjectName(entry.objectName);
            QAction* opener = submenu->menuAction();
            opener->setObjectName(entry.objectName);
            setItemCaption(opener, entry.caption);
            menu->addMenu(submenu);
            entry.fillSubmenu(*this, *submenu);
            menuActions_.push_back(opener);
            continue;
        }
        auto* item = new QAction(this);
        item->setObjectName(entry.objectName);
        menu->addAction(item);
        setMenuShortcut(item, entry.shortcut);
        setItemCaption(item, entry.caption);
        item->setIcon(MenuIcon(item->objectName()));
        connect(item, &QAction::triggered, this, [this, run = entry.run] { run(*this); });
        if (entry.keptAs)
            ui_.*entry.keptAs = item;
        menuActions_.push_back(item);
    }
    // The context menu's shortcuts work while the menu is closed.
    addActions(ui_.ContextMenu->actions());
    listController_->leaveKeysTo({ui_.MenuCut, ui_.MenuCopy, ui_.MenuPaste});
}

void MainWindow::fillCopyAsMenu(QMenu& menu)
{
    for (int notation = 0; notation < FormatCount; ++notation) {
        const std::string_view caption = FormatCaption(notation);
        QAction* item = menu.addAction(QString::fromLatin1(caption.data(), qsizetype(caption.size())));
        item->setObjectName(QStringLiteral("CopyAs%1").arg(notation));
        connect(item, &QAction::triggered, this, [this, notation] { listController_->copyCodeAs(notation); });
    }
    listController_->setCopyAsMenu(&menu);
}

QList<QMenu*> MainWindow::menuBarMenus() const
{
    QList<QMenu*> menus;
    for (const QAction* title : ui_.MenuBar->actions())
        if (title->menu())
            menus << title->menu();
    return menus;
}

void MainWindow::setMenuCaption(std::string_view languageKey, const QString& caption)
{
    for (QMenu* menu : menuBarMenus())
        if (menu->objectName() == QLatin1String(languageKey.data(), qsizetype(languageKey.size())))
            menu->setTitle(caption);
    const std::vector<MenuItem>& items = menuItems();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].languageKey && items[i].languageKey == languageKey)
            setItemCaption(menuActions_[i], caption);
}

void MainWindow::setItemCaption(QAction* item, const QString& caption)
{
    item->setProperty(kCaptionProperty, caption);
    const QString keyText = QString::fromStdString(ShortcutText(menuShortcut(item)));
    item->setText(keyText.isEmpty() ? caption : caption + '\t' + keyText);
}

QKeyCombination MainWindow::menuShortcut(const QAction* item)
{
    const QKeySequence keys = item->shortcut();
    return keys.isEmpty() ? kNoShortcut : keys[0];
}

void MainWindow::setMenuShortcut(QAction* item, QKeyCombination shortcut)
{
    item->setShortcut(QKeySequence(shortcut));
    // The context menu's Del works only where the grid has the focus; the handler checks.
    item->setShortcutContext(Qt::WindowShortcut);
    setItemCaption(item, item->property(kCaptionProperty).toString());
}

void MainWindow::showMenuCaptions()
{
    const auto show = [this](std::string_view key) {
        const QString caption = translations_->caption(key);
        if (!caption.isEmpty())
            setMenuCaption(key, caption);
    };
    for (const QMenu* menu : menuBarMenus())
        show(menu->objectName().toStdString());
    for (const MenuItem& entry : menuItems())
        if (entry.languageKey)
            show(entry.languageKey);
}
