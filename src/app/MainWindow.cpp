#include "app/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <chrono>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>

#include "core/config/MessageText.h"
#include "core/config/ProgramInfo.h"
#include "ui/ColorSwatch.h"
#include "ui/PanelStatusBar.h"
#include "ui/PictureView.h"
#include "ui/QtImages.h"
#include "ui/WidgetHelpers.h"
#include "capture/CaptureController.h"
#include "capture/DesktopCapture.h"
#include "capture/HotkeyDialog.h"
#include "capture/HotkeyService.h"
#include "core/color/AreaAverage.h"
#include "core/color/ColorCodes.h"
#include "colorlist/ColorListController.h"
#include "exchange/ListFileService.h"
#include "platform/GlobalHotkey.h"
#include "platform/ScreenSampler.h"
#include "platform/UserEnvironment.h"
#include "ui/Prompts.h"
#include "config/SettingsStore.h"
#include "config/Translations.h"
#include "config/AboutDialog.h"
#include "config/LanguageService.h"
#include "config/LoginStartSwitch.h"
#include "update/NewVersionDialog.h"
#include "update/UpdateChecker.h"
#include "core/update/UpdateVerdict.h"

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                              | Qt::CustomizeWindowHint),
      colorList_(new ColorListModel(services.decimalSeparator, this)),
      prompts_(services.prompts),
      paths_(std::move(services.paths))
{
    setObjectName("MainWindow");
    translations_ = new Translations(paths_.dataDir, services.decimalSeparator, this);
    connect(translations_, &Translations::changed, this, &MainWindow::showMenuCaptions);
    language_ = new LanguageService(*translations_, prompts_, services.userLanguage.value_or(UserUiLanguage()), this);
    createControls();
    createMenus();
    loginStart_ = new LoginStartSwitch(ui_.MenuStartAtLogin, paths_, prompts_, *translations_, this);
    connect(ui_.MenuOptions, &QMenu::aboutToShow, loginStart_, &LoginStartSwitch::refresh);
    desktopCapture_ = new DesktopCapture(*translations_, this);
    createCaptureController(services.screenSampler ? std::move(services.screenSampler)
                                                : desktopCapture_->createScreenSampler());
    createHotkeyService(services.globalHotkey ? std::move(services.globalHotkey)
                                           : desktopCapture_->createGlobalHotkey());
    connectDesktopCapture();
    // After the captions: the simulation's label is its item's caption.
    connect(translations_, &Translations::changed, this, &MainWindow::showColorVision);
    // The window has a fixed size, known before its first show: a box shown
    // while it shows (a start-up warning) would otherwise leave it at the
    // size its native window was made with.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    initialiseWindow();
    createUpdateChecker(services.updateAddress, services.updateHttp);
}

MainWindow::~MainWindow() = default;

Settings& MainWindow::settings() { return settingsStore_->settings(); }

bool MainWindow::settingsLoaded() const { return settingsStore_ && settingsStore_->isLoaded(); }

void MainWindow::createControls()
{
    ui_.setupUi(this);
    bindColorList();
}

void MainWindow::initialiseWindow()
{
    ui_.NotationBox->setCurrentIndex(0);
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    ui_.LabelColor->clear();
}

void MainWindow::loadSettings()
{
    settingsStore_ = std::make_unique<SettingsStore>(QString::fromStdString(paths_.settingsFile), paths_.mode, prompts_);
    settingsStore_->load();
    Settings& settings = settingsStore_->settings();
    const int index = settings.notationIndex;
    ui_.NotationBox->setCurrentIndex(index >= 0 && index < ui_.NotationBox->count() ? index : -1);
    settings.notationIndex = ui_.NotationBox->currentIndex();
    refusedHotKeyText_ = hotkeys_->setStoredShortcut(settings.hotkeyText);
    settings.hotkeyText = ShortcutText(hotkeys_->shortcut());
    connect(ui_.NotationBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { settingsStore_->settings().notationIndex = index; });
    setSampleSide(settings.sampleSide);
    language_->start(settings.language, settingsStore_->isFirstRun());
    setColorVision(settings.simulation);
}

bool MainWindow::saveSettings()
{
    if (!settingsLoaded())
        return true;
    settingsStore_->settings().language = translations_->languageCode();
    return settingsStore_->save();
}

void MainWindow::startAtFirstShow()
{
    setAcceptDrops(true);
    loadSettings();
    // A termination signal ended the run while a box of the load was open.
    if (finished_)
        return;
    desktopCapture_->start(QString::fromStdString(settings().screenCastToken));
    colorList_->clear();
    showCaptureStatus();
    // A Wayland desktop without a hotkey portal refuses every combination:
    // told on the first run, not at each start.
    hotkeys_->grab(desktopCapture_->onWayland() && settings().runCount > 1 ? HotkeyService::Refusal::Quiet
                                                                : HotkeyService::Refusal::Warn);
    ui_.ContextCaptureColor->setVisible(false);
    if (desktopCapture_->followsPointer())
        capture_->start();
    updateChecker_->start(settings().showNewVersion);
    if (refusedHotKeyText_) {
        const std::string refused = refusedHotKeyText_->empty() ? "HK_CAPTURE=" : *refusedHotKeyText_;
        refusedHotKeyText_.reset();
        prompts_.message(mkWarning,
                       QString::fromStdString(FormatMessageText(translations_->text("SHotKeyNotRegistered"), {refused},
                                                                  translations_->decimalSeparator())));
    }
}

bool MainWindow::finish()
{
    if (finished_)
        return true;
    finished_ = true;
    capture_->stop();
    updateChecker_->stop();
    hotkeys_->release();
    setAcceptDrops(false);
    colorList_->release();
    return saveSettings();
}

void MainWindow::showCaptureStatus()
{
    const QString keyText = QString::fromStdString(ShortcutText(menuShortcut(ui_.ContextCaptureColor)));
    QString text = desktopCapture_->statusText(keyText);
    if (sampleSide_ > 1)
        text += QStringLiteral("  %1\u00d7%1").arg(sampleSide_);
    ui_.StatusBar->setPanelText(1, text);
}

void MainWindow::setSampleSide(int side)
{
    sampleSide_ = ValidSampleSide(side);
    if (settingsLoaded())
        settings().sampleSide = sampleSide_;
    capture_->setSampleSide(sampleSide_);
    desktopCapture_->setSampleSide(sampleSide_);
    const QString chosen = QStringLiteral("MenuSample%1").arg(sampleSide_);
    for (QAction* item : ui_.MenuSample->actions()) {
        item->setCheckable(true);
        item->setChecked(item->objectName() == chosen);
    }
    showCaptureStatus();
}

void MainWindow::createCaptureController(std::unique_ptr<IScreenSampler> sampler)
{
    capture_ = new CaptureController(std::move(sampler),
                                     {ui_.ImgZoom, ui_.ShSelectedColor, ui_.LabelColor, ui_.StatusBar, CaptureController::kPositionPanel,
                                      CaptureController::kContrastPanel, CaptureController::kNamePanel},
                                     ui_.SHImageZoom, translations_->decimalSeparator(), this);
    capture_->setNotation(ui_.NotationBox->currentIndex());
    // Logged on the tick's thread, when the colour is shown.
    if (lcCapture().isDebugEnabled())
        connect(capture_, &CaptureController::sampled, this, [](Rgb color, QPoint position) {
            qCDebug(lcCapture, "shown %06x at %d,%d %lld us", unsigned(StoredColorFromRgb(color)), position.x(), position.y(),
                    qlonglong(std::chrono::duration_cast<std::chrono::microseconds>(
                                  std::chrono::system_clock::now().time_since_epoch())
                                  .count()));
        }, Qt::DirectConnection);
    connect(ui_.NotationBox, &QComboBox::currentIndexChanged, capture_, &CaptureController::setNotation);
    passSelectedColorToCapture();
    applyContrastStyle();
    connect(translations_, &Translations::changed, this, &MainWindow::applyContrastStyle);
}

void MainWindow::createHotkeyService(std::unique_ptr<IGlobalHotkey> hotkey)
{
    hotkeys_ = new HotkeyService(std::move(hotkey), prompts_, *translations_, this);
    connect(hotkeys_, &HotkeyService::triggered, this, &MainWindow::captureAtPointer);
    // Where the desktop gives out hotkeys itself, the user binds the capture command to one.
    if (desktopCapture_->onWayland())
        hotkeys_->setRefusalCommand(QStringLiteral("huebird-lite --capture"));
    desktopCapture_->setCaptureKey(QKeySequence(hotkeys_->shortcut()));
    connect(hotkeys_, &HotkeyService::shortcutChanged, this, [this](QKeyCombination changed) {
        desktopCapture_->setCaptureKey(QKeySequence(changed));
        setMenuShortcut(ui_.ContextCaptureColor, changed);
        if (settingsStore_)
            settingsStore_->settings().hotkeyText = ShortcutText(changed);
        showCaptureStatus();
    });
}

void MainWindow::connectDesktopCapture()
{
    DesktopCapture* capture = desktopCapture_;
    connect(capture, &DesktopCapture::captureFromTick, this, &MainWindow::captureColor);
    connect(capture, &DesktopCapture::sampled, this,
            [this](const ScreenPointer& pointer, const QImage& square) { capture_->showStill(pointer, square); });
    connect(capture, &DesktopCapture::picked, this, [this](const ScreenPointer& pointer, const QImage& square) {
        capture_->showStill(pointer, square);
        captureColor();
    });
    connect(capture, &DesktopCapture::colorPicked, this, [this](const QColor& picked) {
        capture_->showColorOnly(FromQColor(picked));
        captureColor();
    });
    connect(capture, &DesktopCapture::modeChanged, this, [this] {
        showCaptureStatus();
        if (!desktopCapture_->followsPointer())
            capture_->stop();
    });
    // Kept at once: a run that ends without closing would ask the user again.
    connect(capture, &DesktopCapture::screenCastTokenChanged, this, [this](const QString& token) {
        if (!settingsLoaded())
            return;
        settings().screenCastToken = token.toStdString();
        saveSettings();
    });
}

void MainWindow::startPickMode()
{
    desktopCapture_->pick();
}

void MainWindow::captureAtPointer()
{
    desktopCapture_->captureAtPointer();
}

void MainWindow::createUpdateChecker(const std::string& address, const HttpSettings& http)
{
    const std::string service = address.empty() ? UpdateServiceAddress(kStoredUpdateUrlDigits) : address;
    updateChecker_ = new UpdateChecker(QString::fromStdString(service), kProgramFileVersion, http, this);
    connect(updateChecker_, &UpdateChecker::newerVersionExists, this, [this] {
        NewVersionDialog dialog(prompts_, settings(), *translations_, this);
        prompts_.runDialog(dialog);
    });
}

void MainWindow::showAbout()
{
    AboutDialog about(prompts_, *translations_, paths_.mode, QString::fromStdString(paths_.settingsFile), this);
    prompts_.runDialog(about);
}

void MainWindow::editHotkey()
{
    HotkeyDialog dialog(hotkeys_->shortcut(), this);
    connect(hotkeys_, &HotkeyService::triggered, dialog.edit(), &HotkeyEdit::showShortcut);
    prompts_.runDialog(dialog);
    // A termination signal ended the run while the dialog was open.
    if (finished_)
        return;
    hotkeys_->change(dialog.shortcut());
    showCaptureStatus();
}

void MainWindow::passSelectedColorToCapture()
{
    if (capture_)
        capture_->setSelectedColor(colorList_->selectedColor());
}

void MainWindow::applyContrastStyle()
{
    capture_->setContrastStyle(translations_->text("SContrastAALarge"), translations_->text("SContrastFail"));
    capture_->setNameStyle(translations_->text("SColorNameNear"));
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    CentreOnScreen(*this);
    startAtFirstShow();
    // A warning from startAtFirstShow (a refused hotkey) runs its event loop before the
    // window is on the screen; Qt then takes the window for its default size.
    adjustSize();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    finish();
    event->accept();
    QApplication::quit();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event)
{
    ui_.ContextMenu->exec(event->globalPos());
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
