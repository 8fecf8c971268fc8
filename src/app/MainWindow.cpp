#include "app/MainWindow.h"

#include <QApplication>
#include <chrono>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>

#include "config/AppSettings.h"
#include "config/MessageText.h"
#include "ui/QtImages.h"
#include "capture/ShortcutKeys.h"
#include "capture/CaptureController.h"
#include "capture/DesktopCapture.h"
#include "capture/HotkeyDialog.h"
#include "capture/HotkeyService.h"
#include "color/ColorCodes.h"
#include "config/UiTexts.h"
#include "exchange/ListFileService.h"
#include "platform/GlobalHotkey.h"
#include "platform/ScreenSampler.h"
#include "ui/Prompts.h"
#include "config/SettingsStore.h"
#include "config/Translations.h"
#include "update/UpdateChecker.h"

namespace {
constexpr int kClientWidth = 276;
constexpr int kClientHeight = 131;
constexpr int kStatusBarHeight = 19;
const char* const kCaptionProperty = "huebirdCaption";
const char* const kShortCutProperty = "huebirdShortCut";
} // namespace

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                              | Qt::CustomizeWindowHint),
      colorList_(new ColorListModel(this)),
      prompts_(services.prompts)
{
    setObjectName("MainForm");
    translations_ = new Translations(this);
    connect(translations_, &Translations::changed, this, &MainWindow::ShowMenuCaptions);
    CreateControls();
    CreateMenus();
    desktopCapture_ = new DesktopCapture(this);
    CreateCaptureController(services.screenSampler ? std::move(services.screenSampler)
                                                : desktopCapture_->createScreenSampler());
    CreateHotkeyService(services.globalHotkey ? std::move(services.globalHotkey)
                                           : desktopCapture_->createGlobalHotkey());
    ConnectDesktopCapture();
    // The window has a fixed size, known before its first show: a box shown
    // while it shows (a start-up warning) would otherwise leave it at the
    // size its native window was made with.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    FormCreate();
    CreateUpdateChecker(services.updateAddress);
}

MainWindow::~MainWindow() = default;

Settings& MainWindow::settings() { return settingsStore_->settings(); }

bool MainWindow::settingsLoaded() const { return settingsStore_ && settingsStore_->isLoaded(); }

void MainWindow::CreateControls()
{
    Client = new QWidget(this);
    Client->setObjectName("Client");
    Client->setFixedSize(kClientWidth, kClientHeight);
    Client->setAutoFillBackground(true);
    setCentralWidget(Client);

    auto place = [](QWidget* w, const char* name, int x, int y, int width, int height) {
        w->setObjectName(name);
        w->setGeometry(x, y, width, height);
    };

    ImgBackground = new TPicture(Client);
    place(ImgBackground, "ImgBackground", 0, 0, kClientWidth, kClientHeight - kStatusBarHeight);
    ImgBackground->SetPicture(LoadJpegResource(":/images/background.jpg"), true);

    ShSelectedColor = new TShape(Client);
    place(ShSelectedColor, "ShSelectedColor", 173, 2, 100, 58);

    LabelColor = new QLabel(Client);
    place(LabelColor, "LabelColor", 173, 44, 100, 13);
    LabelColor->setAlignment(Qt::AlignCenter);
    LabelColor->setAttribute(Qt::WA_TranslucentBackground);

    SHImageZoom = new TShape(Client);
    place(SHImageZoom, "SHImageZoom", 2, 2, 108, 108);
    SHImageZoom->SetFilled(false);

    ImgZoom = new TPicture(Client);
    place(ImgZoom, "ImgZoom", 3, 3, 106, 106);

    CreateListView();

    NotationBox = new QComboBox(Client);
    place(NotationBox, "CBX_FormatCapture", 173, 60, 101, 21);
    for (int i = 0; i < FormatCount; ++i)
        NotationBox->addItem(QString::fromStdString(std::string(FormatCaption(i))));

    EditCaptureColor = new QLineEdit(Client);
    place(EditCaptureColor, "EditCaptureColor", 173, 86, 101, 21);
    EditCaptureColor->installEventFilter(this);
    BindColorList();

    StatusBar = new TStatusBar(Client);
    place(StatusBar, "StatusBar1", 0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
    StatusBar->AddPanel(70);
    StatusBar->AddPanel(120, Qt::AlignHCenter);
    StatusBar->AddPanel(120);

    // Tab order: the code field, the list, the notation box.
    setTabOrder(EditCaptureColor, GridCapture);
    setTabOrder(GridCapture, NotationBox);
}

QAction* MainWindow::AddItem(QMenu* menu, const char* name, const QString& caption,
                            void (MainWindow::*handler)(), TShortCut shortcut)
{
    auto* item = new QAction(this);
    item->setObjectName(name);
    menu->addAction(item);
    SetMenuShortCut(item, shortcut);
    SetMenuCaption(item, caption);
    if (handler)
        connect(item, &QAction::triggered, this, handler);
    return item;
}

void MainWindow::CreateMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");

    MenuFile = bar->addMenu("File");
    MenuFile->setObjectName("MenuFile");
    MenuOpenColorList = AddItem(MenuFile, "MenuOpenColorList", "Open color list", &MainWindow::MenuOpenColorListClick);
    MenuSaveColorList = AddItem(MenuFile, "MenuSaveColorList", "Save color list", &MainWindow::MenuSaveColorListClick);
    MenuExportColorList = AddItem(MenuFile, "MenuExportColorList", "Export color list...",
                                  &MainWindow::MenuExportColorListClick);
    MenuFile->addSeparator()->setObjectName("N4");
    MenuClose = AddItem(MenuFile, "MenuClose", "Close", &MainWindow::ButtonCloseClick);

    MenuEdit = bar->addMenu("Edit");
    MenuEdit->setObjectName("MenuEdit");
    MenuCopyColorList = AddItem(MenuEdit, "MenuCopyColorList", "Copy color list", &MainWindow::PopupCopyColorListClick);
    MenuClearColorList = AddItem(MenuEdit, "MenuClearColorList", "Clear list", &MainWindow::PopupClearColorListClick);
    MenuEdit->addSeparator()->setObjectName("N3");
    MenuCut = AddItem(MenuEdit, "MenuCut", "Cut", &MainWindow::PopupCutClick, scCtrl | 'X');
    MenuCopy = AddItem(MenuEdit, "MenuCopy", "Copy", &MainWindow::PopupCopyClick, scCtrl | 'C');
    MenuPaste = AddItem(MenuEdit, "MenuPaste", "Paste", &MainWindow::PopupPasteClick, scCtrl | scAlt | 'V');

    MenuOptions = bar->addMenu("Options");
    MenuOptions->setObjectName("MenuOptions");
    MenuHotkey = AddItem(MenuOptions, "MenuHotkey", "Hotkey", &MainWindow::ButtonHotKeyClick);
    MenuLanguage = AddItem(MenuOptions, "MenuLanguage", "Language", &MainWindow::ButtonLanguageClick);
    MenuStartAtLogin = AddItem(MenuOptions, "MenuStartAtLogin", "Start at login", &MainWindow::MenuStartAtLoginClick);
    MenuStartAtLogin->setCheckable(true);
    connect(MenuOptions, &QMenu::aboutToShow, this, &MainWindow::ShowStartAtLogin);
    MenuOptions->addSeparator()->setObjectName("N6");
    MenuColorListManaging = AddItem(MenuOptions, "MenuColorListManaging", "Color list managing", &MainWindow::ShowFormColorList);
    MenuSwatches = AddItem(MenuOptions, "MenuSwatches", "Open palette...", &MainWindow::MenuSwatchesClick);
    MenuPick = AddItem(MenuOptions, "MenuPick", "Pick", &MainWindow::MenuPickClick);

    MenuHelp = bar->addMenu("?");
    MenuHelp->setObjectName("MenuHelp");
    MenuHelpIndex = AddItem(MenuHelp, "MenuHelpIndex", "Help Index", &MainWindow::MenuHelpIndexClick, scCtrl | 112);
    MenuHelp->addSeparator()->setObjectName("N5");
    MenuWebsite = AddItem(MenuHelp, "MenuWebsite", "Web Site Huebird", &MainWindow::MenuWebsiteClick);
    MenuHelp->addSeparator()->setObjectName("N2");
    MenuAbout = AddItem(MenuHelp, "MenuAbout", "About...", &MainWindow::ButtonAboutClick);

    PopupCapture = new QMenu(this);
    PopupCapture->setObjectName("PopupCapture");
    PopupCaptureColor = AddItem(PopupCapture, "PopupCaptureColor", "Capture color", &MainWindow::PopupCaptureColorClick);
    PopupCopyColorList = AddItem(PopupCapture, "PopupCopyColorList", "Copy color list", &MainWindow::PopupCopyColorListClick);
    PopupDeleteColor = AddItem(PopupCapture, "PopUpDeleteColor", "Delete color", &MainWindow::PopupDeleteColorClick, 46);
    PopupClearColorList = AddItem(PopupCapture, "PopUpClearColorList", "Delete all", &MainWindow::PopupClearColorListClick);
    PopupCapture->addSeparator()->setObjectName("N1");
    PopupCut = AddItem(PopupCapture, "PopupCut", "Cut", &MainWindow::PopupCutClick);
    PopupCopy = AddItem(PopupCapture, "PopupCopy", "Copy", &MainWindow::PopupCopyClick);
    PopupPaste = AddItem(PopupCapture, "PopupPaste", "Paste", &MainWindow::PopupPasteClick);
    // The popup's shortcuts work while the popup is closed.
    addActions(PopupCapture->actions());

    const QList<QMenu*> menus = {MenuFile, MenuEdit, MenuOptions, MenuHelp, PopupCapture};
    for (QMenu* m : menus)
        for (QAction* a : m->actions())
            if (!a->isSeparator())
                a->setIcon(MenuIcon(a->objectName()));
}

void MainWindow::SetMenuCaption(QMenu* menu, const QString& caption)
{
    menu->setTitle(caption);
}

void MainWindow::SetMenuCaption(QAction* item, const QString& caption)
{
    item->setProperty(kCaptionProperty, caption);
    const QString keyText = QString::fromStdString(ShortcutName(MenuShortCut(item)));
    item->setText(keyText.isEmpty() ? caption : caption + '\t' + keyText);
}

TShortCut MainWindow::MenuShortCut(const QAction* item) const
{
    return TShortCut(item->property(kShortCutProperty).toUInt());
}

void MainWindow::SetMenuShortCut(QAction* item, TShortCut shortcut)
{
    item->setProperty(kShortCutProperty, uint(shortcut));
    item->setShortcut(ShortCutToKeySequence(shortcut));
    // The popup's Del works only where the grid has the focus; the handler checks.
    item->setShortcutContext(Qt::WindowShortcut);
    SetMenuCaption(item, item->property(kCaptionProperty).toString());
}

void MainWindow::FormCreate()
{
    NotationBox->setCurrentIndex(0);
    NotationBox->setMaxVisibleItems(NotationBox->count());
    InitAppSettings(QCoreApplication::applicationFilePath().toStdString());
    setWindowTitle(QString::fromStdString(AppSettings().AppTitle));
    RouteHelpRequests();
    LabelColor->clear();
}

void MainWindow::FormShow()
{
    setAcceptDrops(true);
    LoadSettings();
    OpenLanguageFile(QString::fromStdString(AppSettings().LanguageFilePath));
    ContrastStyleChanged();
    desktopCapture_->start(QString::fromStdString(settings().screenCastToken));
    colorList_->clear();
    ResetStatusBar();
    // A Wayland desktop without a hotkey portal refuses every combination:
    // told on the first run, not at each start.
    hotkeys_->grab(desktopCapture_->onWayland() && settings().runCount > 1 ? HotkeyService::Refusal::Quiet
                                                                : HotkeyService::Refusal::Warn);
    PopupCaptureColor->setVisible(false);
    if (desktopCapture_->followsPointer())
        capture_->start();
    updateChecker_->start(settings().showNewVersion);
    if (refusedHotKeyText_) {
        const std::string refused = refusedHotKeyText_->empty() ? "HK_CAPTURE=" : *refusedHotKeyText_;
        refusedHotKeyText_.reset();
        prompts_.message(mkWarning,
                       QString::fromStdString(FormatMessageText(UiTexts().SHotKeyNotRegistered, {refused})));
    }
}

void MainWindow::FormClose()
{
    hotkeys_->release();
    setAcceptDrops(false);
    colorList_->release();
    SaveSettings();
}

void MainWindow::ButtonCloseClick()
{
    close();
}

void MainWindow::ResetStatusBar()
{
    const QString keyText = QString::fromStdString(ShortcutName(MenuShortCut(PopupCaptureColor)));
    StatusBar->SetPanelText(1, CaptureStatusText(keyText));
}

void MainWindow::CreateCaptureController(std::unique_ptr<IScreenSampler> sampler)
{
    capture_ = new CaptureController(std::move(sampler),
                                     {ImgZoom, ShSelectedColor, LabelColor, StatusBar, CaptureController::kPositionPanel,
                                      CaptureController::kContrastPanel},
                                     SHImageZoom, this);
    capture_->setNotation(NotationBox->currentIndex());
    // Logged on the tick's thread, when the colour is shown.
    if (lcCapture().isDebugEnabled())
        connect(capture_, &CaptureController::sampled, this, [](TColor color, QPoint position) {
            qCDebug(lcCapture, "shown %06x at %d,%d %lld us", unsigned(color), position.x(), position.y(),
                    qlonglong(std::chrono::duration_cast<std::chrono::microseconds>(
                                  std::chrono::system_clock::now().time_since_epoch())
                                  .count()));
        }, Qt::DirectConnection);
    connect(NotationBox, &QComboBox::currentIndexChanged, capture_, &CaptureController::setNotation);
    SelectedListColorChanged();
    ContrastStyleChanged();
}

void MainWindow::CreateHotkeyService(std::unique_ptr<IGlobalHotkey> hotkey)
{
    hotkeys_ = new HotkeyService(std::move(hotkey), prompts_, this);
    connect(hotkeys_, &HotkeyService::triggered, this, &MainWindow::CaptureAtPointer);
    // Where the desktop gives out hotkeys itself, the user binds the capture command to one.
    if (desktopCapture_->onWayland())
        hotkeys_->setRefusalCommand(QStringLiteral("huebird-lite --capture"));
    desktopCapture_->setCaptureKey(ShortCutToKeySequence(hotkeys_->shortcut()));
    connect(hotkeys_, &HotkeyService::shortcutChanged, this, [this](TShortCut changed) {
        desktopCapture_->setCaptureKey(ShortCutToKeySequence(changed));
        SetMenuShortCut(PopupCaptureColor, changed);
        if (settingsStore_)
            settingsStore_->settings().hotkeyText = ShortcutName(changed);
        ResetStatusBar();
    });
}

void MainWindow::ConnectDesktopCapture()
{
    DesktopCapture* capture = desktopCapture_;
    connect(capture, &DesktopCapture::captureFromTick, this, &MainWindow::CaptureColor);
    connect(capture, &DesktopCapture::sampled, this,
            [this](const ScreenPointer& pointer, const QImage& square) { capture_->showStill(pointer, square); });
    connect(capture, &DesktopCapture::picked, this, [this](const ScreenPointer& pointer, const QImage& square) {
        capture_->showStill(pointer, square);
        CaptureColor();
    });
    connect(capture, &DesktopCapture::colorPicked, this, [this](const QColor& picked) {
        capture_->showColorOnly(FromQColor(picked));
        CaptureColor();
    });
    connect(capture, &DesktopCapture::modeChanged, this, [this] {
        ResetStatusBar();
        if (!desktopCapture_->followsPointer())
            capture_->stop();
    });
    // Kept at once: a run that ends without closing would ask the user again.
    connect(capture, &DesktopCapture::screenCastTokenChanged, this, [this](const QString& token) {
        if (!settingsLoaded())
            return;
        settings().screenCastToken = token.toStdString();
        SaveSettings();
    });
}

void MainWindow::MenuPickClick()
{
    desktopCapture_->pick();
}

void MainWindow::CaptureAtPointer()
{
    desktopCapture_->captureAtPointer();
}

QString MainWindow::CaptureStatusText(const QString& keyText) const
{
    const TUiTexts& texts = UiTexts();
    if (!desktopCapture_->onWayland())
        return QString::fromStdString(texts.SCapture) + ' ' + keyText;
    const std::string* label = &texts.SCapturePicker;
    switch (desktopCapture_->mode()) {
    case CaptureMode::FollowScreenCast: label = &texts.SCaptureScreenCast; break;
    case CaptureMode::PickScreenCopy: label = &texts.SCapturePickMode; break;
    case CaptureMode::None: return QString::fromStdString(texts.SCaptureNoScreen);
    default: break;
    }
    return QString::fromStdString(*label) + ' ' + keyText;
}

void MainWindow::ButtonHotKeyClick()
{
    HotkeyDialog dialog(hotkeys_->shortcut(), this);
    prompts_.runDialog(dialog);
    hotkeys_->change(dialog.shortcut());
    ResetStatusBar();
}

void MainWindow::SelectedListColorChanged()
{
    if (capture_)
        capture_->setSelectedColor(colorList_->selectedColor());
}

void MainWindow::ContrastStyleChanged()
{
    const TUiTexts& texts = UiTexts();
    capture_->setContrastStyle(DecimalSeparator(), texts.SContrastAALarge, texts.SContrastFail);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        const QRect frame = frameGeometry();
        move(desk.center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
    FormShow();
    // A warning from FormShow (a refused hotkey) runs its event loop before the
    // window is on the screen; Qt then takes the window for its default size.
    adjustSize();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!closed_) {
        closed_ = true;
        capture_->stop();
        updateChecker_->stop();
        FormClose();
    }
    event->accept();
    QApplication::quit();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event)
{
    PopupCapture->exec(event->globalPos());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->acceptProposedAction();
    if (!paths.isEmpty())
        listFiles_->loadDropped(paths);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Left unaccepted, the override lets the Edit menu's whole-field commands
    // run instead of the field's own copy of its selection.
    if (event->type() == QEvent::ShortcutOverride && watched == EditCaptureColor
        && EditMenuTakesKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}
