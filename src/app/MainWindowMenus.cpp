// The main window's menus: one table gives each item its menu, object name,
// language key, caption, shortcut and command; it builds the menus and routes
// the language file's captions.
#include <QMenuBar>
#include <QUrl>

#include "app/MainWindow.h"
#include "capture/ShortcutKeys.h"
#include "color/ColorCodes.h"
#include "colorlist/ColorListController.h"
#include "config/LanguageService.h"
#include "config/LoginStartSwitch.h"
#include "config/ProgramInfo.h"
#include "config/Translations.h"
#include "exchange/ListFileService.h"
#include "ui/Prompts.h"
#include "ui/QtImages.h"

namespace {
const char* const kCaptionProperty = "huebirdCaption";
const char* const kShortCutProperty = "huebirdShortCut";
} // namespace

const std::vector<MainWindow::MenuItem>& MainWindow::menuItems()
{
    using Ui = MainWindowUi;
    using W = MainWindow;
    static const std::vector<MenuItem> items = {
        {&Ui::MenuFile, &Ui::MenuOpenColorList, "MenuOpenColorList", "MenuOpenColorList", "Open color list", 0,
         [](W& w) { w.listFiles_->open(); }},
        {&Ui::MenuFile, &Ui::MenuSaveColorList, "MenuSaveColorList", "MenuSaveColorList", "Save color list", 0,
         [](W& w) { w.listFiles_->save(); }},
        {&Ui::MenuFile, &Ui::MenuExportColorList, "MenuExportColorList", "MenuExportColorList",
         "Export color list...", 0, [](W& w) { w.listFiles_->exportList(); }},
        {&Ui::MenuFile, nullptr, "N4", nullptr, nullptr, 0, nullptr},
        {&Ui::MenuFile, &Ui::MenuClose, "MenuClose", "MenuClose", "Close", 0, [](W& w) { w.close(); }},

        {&Ui::MenuEdit, &Ui::MenuCopyColorList, "MenuCopyColorList", "MenuCopyColorList", "Copy color list", 0,
         [](W& w) { w.listFiles_->copyList(); }},
        {&Ui::MenuEdit, &Ui::MenuClearColorList, "MenuClearColorList", "MenuClearColorList", "Clear list", 0,
         [](W& w) { w.listController_->clear(); }},
        {&Ui::MenuEdit, nullptr, "N3", nullptr, nullptr, 0, nullptr},
        {&Ui::MenuEdit, &Ui::MenuCut, "MenuCut", "MenuCut", "Cut", scCtrl | 'X', [](W& w) { w.listController_->cutCode(); }},
        {&Ui::MenuEdit, &Ui::MenuCopy, "MenuCopy", "MenuCopy", "Copy", scCtrl | 'C', [](W& w) { w.listController_->copyCode(); }},
        {&Ui::MenuEdit, &Ui::MenuPaste, "MenuPaste", "MenuPaste", "Paste", scCtrl | scAlt | 'V', [](W& w) { w.listController_->pasteCode(); }},

        {&Ui::MenuOptions, &Ui::MenuHotkey, "MenuHotkey", "MenuHotkey", "Hotkey", 0, [](W& w) { w.editHotkey(); }},
        {&Ui::MenuOptions, &Ui::MenuLanguage, "MenuLanguage", "MenuLanguage", "Language", 0, [](W& w) { w.language_->choose(); }},
        {&Ui::MenuOptions, &Ui::MenuStartAtLogin, "MenuStartAtLogin", "MenuStartAtLogin", "Start at login", 0,
         [](W& w) { w.loginStart_->apply(); }},
        {&Ui::MenuOptions, nullptr, "N6", nullptr, nullptr, 0, nullptr},
        {&Ui::MenuOptions, &Ui::MenuColorListManaging, "MenuColorListManaging", "MenuColorListManaging",
         "Color list managing", 0, [](W& w) { w.listController_->openManager(); }},
        {&Ui::MenuOptions, &Ui::MenuSwatches, "MenuSwatches", "MenuSwatches", "Open palette...", 0,
         [](W& w) { w.listFiles_->openPalette(); }},
        {&Ui::MenuOptions, &Ui::MenuPick, "MenuPick", "MenuPick", "Pick", 0, [](W& w) { w.startPickMode(); }},

        {&Ui::MenuHelp, &Ui::MenuHelpIndex, "MenuHelpIndex", "MenuHelpIndex", "Help Index", scCtrl | 112,
         [](W& w) { w.language_->showHelp(); }},
        {&Ui::MenuHelp, nullptr, "N5", nullptr, nullptr, 0, nullptr},
        {&Ui::MenuHelp, &Ui::MenuWebsite, "MenuWebsite", "MenuWebsite", "Web Site Huebird", 0, 
         [](W& w) { w.prompts_.openUrl(QUrl(QString::fromLatin1(kWebSiteUrl))); }},
        {&Ui::MenuHelp, nullptr, "N2", nullptr, nullptr, 0, nullptr},
        {&Ui::MenuHelp, &Ui::MenuAbout, "MenuAbout", "MenuAbout", "About...", 0, [](W& w) { w.showAbout(); }},

        // The language files still use the names these items first had.
        {&Ui::ContextMenu, &Ui::ContextCaptureColor, "ContextCaptureColor", "MenuCaptureColor", "Capture color", 0,
         [](W& w) { w.captureColor(); }},
        {&Ui::ContextMenu, &Ui::ContextCopyColorList, "ContextCopyColorList", "PopupCopyColorList",
         "Copy color list", 0, [](W& w) { w.listFiles_->copyList(); }},
        {&Ui::ContextMenu, &Ui::ContextDeleteColor, "ContextDeleteColor", "PopUpDeleteColor", "Delete color", 46,
         [](W& w) { w.listController_->deleteSelected(); }},
        {&Ui::ContextMenu, &Ui::ContextClearColorList, "ContextClearColorList", "PopUpClearColorList", "Delete all",
         0, [](W& w) { w.listController_->clear(); }},
        {&Ui::ContextMenu, nullptr, "N1", nullptr, nullptr, 0, nullptr},
        {&Ui::ContextMenu, &Ui::ContextCut, "ContextCut", "PopupCut", "Cut", 0, [](W& w) { w.listController_->cutCode(); }},
        {&Ui::ContextMenu, &Ui::ContextCopy, "ContextCopy", "PopupCopy", "Copy", 0, [](W& w) { w.listController_->copyCode(); }},
        {&Ui::ContextMenu, &Ui::ContextPaste, "ContextPaste", "PopupPaste", "Paste", 0, [](W& w) { w.listController_->pasteCode(); }},
    };
    return items;
}

void MainWindow::createMenus()
{
    for (const MenuItem& entry : menuItems()) {
        QMenu* menu = ui_.*entry.menu;
        if (!entry.action) {
            menu->addSeparator()->setObjectName(entry.objectName);
            continue;
        }
        auto* item = new QAction(this);
        item->setObjectName(entry.objectName);
        menu->addAction(item);
        setMenuShortcut(item, entry.shortcut);
        setItemCaption(item, entry.caption);
        item->setIcon(MenuIcon(item->objectName()));
        connect(item, &QAction::triggered, this, [this, run = entry.run] { run(*this); });
        ui_.*entry.action = item;
    }
    createCopyAsMenu();
    // The context menu's shortcuts work while the menu is closed.
    addActions(ui_.ContextMenu->actions());
    listController_->leaveKeysTo({ui_.MenuCut, ui_.MenuCopy, ui_.MenuPaste});
}

void MainWindow::createCopyAsMenu()
{
    ui_.MenuCopyAs = new QMenu(QStringLiteral("Copy as"), this);
    ui_.MenuCopyAs->setObjectName("MenuCopyAs");
    ui_.MenuCopyAs->menuAction()->setObjectName("MenuCopyAs");
    for (int notation = 0; notation < FormatCount; ++notation) {
        QAction* item = ui_.MenuCopyAs->addAction(QString::fromLatin1(FormatCaption(notation).data(), qsizetype(FormatCaption(notation).size())));
        item->setObjectName(QStringLiteral("CopyAs%1").arg(notation));
        connect(item, &QAction::triggered, this, [this, notation] { listController_->copyCodeAs(notation); });
    }
    ui_.MenuEdit->insertMenu(ui_.MenuPaste, ui_.MenuCopyAs);
    listController_->setCopyAsMenu(ui_.MenuCopyAs);
}

void MainWindow::setMenuCaption(std::string_view languageKey, const QString& caption)
{
    for (QMenu* menu : {ui_.MenuFile, ui_.MenuEdit, ui_.MenuOptions, ui_.MenuHelp, ui_.MenuCopyAs})
        if (menu->objectName() == QLatin1String(languageKey.data(), qsizetype(languageKey.size())))
            menu->setTitle(caption);
    for (const MenuItem& entry : menuItems())
        if (entry.languageKey && entry.languageKey == languageKey)
            setItemCaption(ui_.*entry.action, caption);
}

void MainWindow::setItemCaption(QAction* item, const QString& caption)
{
    item->setProperty(kCaptionProperty, caption);
    const QString keyText = QString::fromStdString(ShortcutName(menuShortcut(item)));
    item->setText(keyText.isEmpty() ? caption : caption + '\t' + keyText);
}

TShortCut MainWindow::menuShortcut(const QAction* item)
{
    return TShortCut(item->property(kShortCutProperty).toUInt());
}

void MainWindow::setMenuShortcut(QAction* item, TShortCut shortcut)
{
    item->setProperty(kShortCutProperty, uint(shortcut));
    item->setShortcut(ShortCutToKeySequence(shortcut));
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
    for (const std::string_view menu : {"MenuFile", "MenuEdit", "MenuOptions", "MenuHelp", "MenuCopyAs"})
        show(menu);
    for (const MenuItem& entry : menuItems())
        if (entry.languageKey)
            show(entry.languageKey);
}
