// The main window's menus: one table gives each item its menu, object name,
// language key, caption, shortcut and command; it builds the menus and routes
// the language file's captions.
#include <QMenuBar>
#include <QUrl>

#include "app/MainWindow.h"
#include "capture/ShortcutKeys.h"
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
const char* const kShortCutProperty = "huebirdShortCut";
} // namespace

const std::vector<MainWindow::MenuItem>& MainWindow::menuItems()
{
    using Ui = MainWindowUi;
    using W = MainWindow;
    static const std::vector<MenuItem> items = {
        {&Ui::MenuFile, "MenuOpenColorList", "MenuOpenColorList", "Open color list", 0,
         [](W& w) { w.listFiles_->open(); }},
        {&Ui::MenuFile, "MenuSaveColorList", "MenuSaveColorList", "Save color list", 0,
         [](W& w) { w.listFiles_->save(); }},
        {&Ui::MenuFile, "MenuExportColorList", "MenuExportColorList",
         "Export color list...", 0, [](W& w) { w.listFiles_->exportList(); }},
        {&Ui::MenuFile, "N4", nullptr, nullptr, 0, nullptr},
        {&Ui::MenuFile, "MenuClose", "MenuClose", "Close", 0, [](W& w) { w.close(); }},

        {&Ui::MenuEdit, "MenuCopyColorList", "MenuCopyColorList", "Copy color list", 0,
         [](W& w) { w.listFiles_->copyList(); }},
        {&Ui::MenuEdit, "MenuClearColorList", "MenuClearColorList", "Clear list", 0,
         [](W& w) { w.listController_->clear(); }},
        {&Ui::MenuEdit, "N3", nullptr, nullptr, 0, nullptr},
        {&Ui::MenuEdit, "MenuCut", "MenuCut", "Cut", scCtrl | 'X', [](W& w) { w.listController_->cutCode(); },
         &Ui::MenuCut},
        {&Ui::MenuEdit, "MenuCopy", "MenuCopy", "Copy", scCtrl | 'C', [](W& w) { w.listController_->copyCode(); },
         &Ui::MenuCopy},
        {&Ui::MenuEdit, "MenuCopyAs", "MenuCopyAs", "Copy as", 0, nullptr, nullptr,
         [](W& w, QMenu& submenu) { w.fillCopyAsMenu(submenu); }},
        {&Ui::MenuEdit, "MenuPaste", "MenuPaste", "Paste", scCtrl | scAlt | 'V',
         [](W& w) { w.listController_->pasteCode(); }, &Ui::MenuPaste},

        {&Ui::MenuOptions, "MenuHotkey", "MenuHotkey", "Hotkey", 0, [](W& w) { w.editHotkey(); }},
        {&Ui::MenuOptions, "MenuLanguage", "MenuLanguage", "Language", 0, [](W& w) { w.language_->choose(); }},
        {&Ui::MenuOptions, "MenuStartAtLogin", "MenuStartAtLogin", "Start at login", 0,
         [](W& w) { w.loginStart_->apply(); }, &Ui::MenuStartAtLogin},
        {&Ui::MenuOptions, "N6", nullptr, nullptr, 0, nullptr},
        {&Ui::MenuOptions, "MenuColorListManaging", "MenuColorListManaging",
         "Color list managing", 0, [](W& w) { w.listController_->openManager(); }},
        {&Ui::MenuOptions, "MenuSwatches", "MenuSwatches", "Open palette...", 0,
         [](W& w) { w.listFiles_->openPalette(); }},
        {&Ui::MenuOptions, "MenuPick", "MenuPick", "Pick", 0, [](W& w) { w.startPickMode(); }},
        {&Ui::MenuOptions, "MenuSample", "MenuSample", "Sample", 0, nullptr, nullptr,
         [](W& w, QMenu& submenu) { w.ui_.MenuSample = &submenu; }},
        {&Ui::MenuSample, "MenuSample1", "MenuSample1", "1 px", 0, [](W& w) { w.setSampleSide(1); }},
        {&Ui::MenuSample, "MenuSample3", "MenuSample3", "3 \u00d7 3", 0, [](W& w) { w.setSampleSide(3); }},
        {&Ui::MenuSample, "MenuSample5", "MenuSample5", "5 \u00d7 5", 0, [](W& w) { w.setSampleSide(5); }},
        {&Ui::MenuSample, "MenuSample9", "MenuSample9", "9 \u00d7 9", 0, [](W& w) { w.setSampleSide(9); }},

        {&Ui::MenuHelp, "MenuHelpIndex", "MenuHelpIndex", "Help Index", scCtrl | 112,
         [](W& w) { w.language_->showHelp(); }},
        {&Ui::MenuHelp, "N5", nullptr, nullptr, 0, nullptr},
        {&Ui::MenuHelp, "MenuWebsite", "MenuWebsite", "Web Site Huebird", 0,
         [](W& w) { w.prompts_.openUrl(QUrl(QString::fromLatin1(kWebSiteUrl))); }},
        {&Ui::MenuHelp, "N2", nullptr, nullptr, 0, nullptr},
        {&Ui::MenuHelp, "MenuAbout", "MenuAbout", "About...", 0, [](W& w) { w.showAbout(); }},

        // The language files still use the names these items first had.
        {&Ui::ContextMenu, "ContextCaptureColor", "MenuCaptureColor", "Capture color", 0,
         [](W& w) { w.captureColor(); }, &Ui::ContextCaptureColor},
        {&Ui::ContextMenu, "ContextCopyColorList", "PopupCopyColorList",
         "Copy color list", 0, [](W& w) { w.listFiles_->copyList(); }},
        {&Ui::ContextMenu, "ContextDeleteColor", "PopUpDeleteColor", "Delete color", 46,
         [](W& w) { w.listController_->deleteSelected(); }},
        {&Ui::ContextMenu, "ContextClearColorList", "PopUpClearColorList", "Delete all",
         0, [](W& w) { w.listController_->clear(); }},
        {&Ui::ContextMenu, "N1", nullptr, nullptr, 0, nullptr},
        {&Ui::ContextMenu, "ContextCut", "PopupCut", "Cut", 0, [](W& w) { w.listController_->cutCode(); }},
        {&Ui::ContextMenu, "ContextCopy", "PopupCopy", "Copy", 0, [](W& w) { w.listController_->copyCode(); }},
        {&Ui::ContextMenu, "ContextPaste", "PopupPaste", "Paste", 0, [](W& w) { w.listController_->pasteCode(); }},
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
    for (const QMenu* menu : menuBarMenus())
        show(menu->objectName().toStdString());
    for (const MenuItem& entry : menuItems())
        if (entry.languageKey)
            show(entry.languageKey);
}
