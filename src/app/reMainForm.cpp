#include "app/reMainForm.h"

#include <QApplication>
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
#include "capture/HotkeyDialog.h"
#include "capture/HotkeyService.h"
#include "color/ColorCodes.h"
#include "config/UiTexts.h"
#include "platform/GlobalHotkey.h"
#include "platform/ScreenSampler.h"
#include "ui/Prompts.h"
#include "update/UpdateVerdict.h"

TMainForm* MainForm = nullptr;

namespace {
constexpr int kClientWidth = 276;
constexpr int kClientHeight = 131;
constexpr int kStatusBarHeight = 19;
const char* const kCaptionProperty = "huebirdCaption";
const char* const kShortCutProperty = "huebirdShortCut";
} // namespace

TMainForm::TMainForm(Prompts& prompts, QWidget* parent)
    : QMainWindow(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                              | Qt::CustomizeWindowHint),
      prompts_(prompts)
{
    setObjectName("MainForm");
    MainForm = this;
    CreateControls();
    CreateMenus();
    UseCaptureController(CreateScreenSampler());
    UseHotkeyService(CreateGlobalHotkey());
    // The window has a fixed size, known before its first show: a box shown
    // while it shows (a start-up warning) would otherwise leave it at the
    // size its native window was made with.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    layout()->activate();
    FormCreate();
}

TMainForm::~TMainForm()
{
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::CreateControls()
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

    CBX_FormatCapture = new QComboBox(Client);
    place(CBX_FormatCapture, "CBX_FormatCapture", 173, 60, 101, 21);
    for (int i = 0; i < FormatCount; ++i)
        CBX_FormatCapture->addItem(QString::fromStdString(std::string(FormatCaption(i))));
    CBX_FormatCapture->installEventFilter(this);
    connect(CBX_FormatCapture, &QComboBox::currentIndexChanged, this,
            [this](int) { CBX_FormatCaptureChange(); });

    EditCaptureColor = new QLineEdit(Client);
    place(EditCaptureColor, "EditCaptureColor", 173, 86, 101, 21);
    EditCaptureColor->installEventFilter(this);

    StatusBar1 = new TStatusBar(Client);
    place(StatusBar1, "StatusBar1", 0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
    StatusBar1->AddPanel(70);
    StatusBar1->AddPanel(120, Qt::AlignHCenter);
    StatusBar1->AddPanel(120);

    // Tab order: the code field, the list, the notation box.
    setTabOrder(EditCaptureColor, GridCapture);
    setTabOrder(GridCapture, CBX_FormatCapture);

    TimerActualize = new QTimer(this);
    TimerActualize->setObjectName("TimerActualize");
    TimerActualize->setInterval(300000);
    connect(TimerActualize, &QTimer::timeout, this, &TMainForm::VerifyIfNewVersionReady);
}

QAction* TMainForm::AddItem(QMenu* menu, const char* name, const QString& caption,
                            void (TMainForm::*handler)(), TShortCut shortcut)
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

void TMainForm::CreateMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");

    MenuFile = bar->addMenu("File");
    MenuFile->setObjectName("MenuFile");
    MenuOpenColorList = AddItem(MenuFile, "MenuOpenColorList", "Open color list", &TMainForm::MenuOpenColorListClick);
    MenuSaveColorList = AddItem(MenuFile, "MenuSaveColorList", "Save color list", &TMainForm::MenuSaveColorListClick);
    MenuExportColorList = AddItem(MenuFile, "MenuExportColorList", "Export color list...",
                                  &TMainForm::MenuExportColorListClick);
    MenuFile->addSeparator()->setObjectName("N4");
    MenuClose = AddItem(MenuFile, "MenuClose", "Close", &TMainForm::ButtonCloseClick);

    MenuEdit = bar->addMenu("Edit");
    MenuEdit->setObjectName("MenuEdit");
    MenuCopyColorList = AddItem(MenuEdit, "MenuCopyColorList", "Copy color list", &TMainForm::PopupCopyColorListClick);
    MenuClearColorList = AddItem(MenuEdit, "MenuClearColorList", "Clear list", &TMainForm::PopUpClearColorListClick);
    MenuEdit->addSeparator()->setObjectName("N3");
    MenuCut = AddItem(MenuEdit, "MenuCut", "Cut", &TMainForm::PopupCutClick, scCtrl | 'X');
    MenuCopy = AddItem(MenuEdit, "MenuCopy", "Copy", &TMainForm::PopupCopyClick, scCtrl | 'C');
    MenuPaste = AddItem(MenuEdit, "MenuPaste", "Paste", &TMainForm::PopupPasteClick, scCtrl | scAlt | 'V');

    MenuOptions = bar->addMenu("Options");
    MenuOptions->setObjectName("MenuOptions");
    MenuHotkey = AddItem(MenuOptions, "MenuHotkey", "Hotkey", &TMainForm::ButtonHotKeyClick);
    MenuLanguage = AddItem(MenuOptions, "MenuLanguage", "Language", &TMainForm::ButtonLanguageClick);
    MenuStartAtLogin = AddItem(MenuOptions, "MenuStartAtLogin", "Start at login", &TMainForm::MenuStartAtLoginClick);
    MenuStartAtLogin->setCheckable(true);
    connect(MenuOptions, &QMenu::aboutToShow, this, &TMainForm::ShowStartAtLogin);
    MenuOptions->addSeparator()->setObjectName("N6");
    MenuColorListManaging = AddItem(MenuOptions, "MenuColorListManaging", "Color list managing", &TMainForm::ShowFormColorList);
    MenuSwatches = AddItem(MenuOptions, "MenuSwatches", "Open palette...", &TMainForm::MenuSwatchesClick);

    MenuHelp = bar->addMenu("?");
    MenuHelp->setObjectName("MenuHelp");
    MenuHelpIndex = AddItem(MenuHelp, "MenuHelpIndex", "Help Index", &TMainForm::MenuHelpIndexClick, scCtrl | 112);
    MenuHelp->addSeparator()->setObjectName("N5");
    MenuWebsite = AddItem(MenuHelp, "MenuWebsite", "Web Site Huebird", &TMainForm::MenuWebsiteClick);
    MenuHelp->addSeparator()->setObjectName("N2");
    MenuAbout = AddItem(MenuHelp, "MenuAbout", "About...", &TMainForm::ButtonAboutClick);

    PopupCapture = new QMenu(this);
    PopupCapture->setObjectName("PopupCapture");
    PopupCaptureColor = AddItem(PopupCapture, "PopupCaptureColor", "Capture color", &TMainForm::PopupCaptureColorClick);
    PopupCopyColorList = AddItem(PopupCapture, "PopupCopyColorList", "Copy color list", &TMainForm::PopupCopyColorListClick);
    PopUpDeleteColor = AddItem(PopupCapture, "PopUpDeleteColor", "Delete color", &TMainForm::PopUpDeleteColorClick, 46);
    PopUpClearColorList = AddItem(PopupCapture, "PopUpClearColorList", "Delete all", &TMainForm::PopUpClearColorListClick);
    PopupCapture->addSeparator()->setObjectName("N1");
    PopupCut = AddItem(PopupCapture, "PopupCut", "Cut", &TMainForm::PopupCutClick);
    PopupCopy = AddItem(PopupCapture, "PopupCopy", "Copy", &TMainForm::PopupCopyClick);
    PopupPaste = AddItem(PopupCapture, "PopupPaste", "Paste", &TMainForm::PopupPasteClick);
    // The popup's shortcuts work while the popup is closed.
    addActions(PopupCapture->actions());

    const QList<QMenu*> menus = {MenuFile, MenuEdit, MenuOptions, MenuHelp, PopupCapture};
    for (QMenu* m : menus)
        for (QAction* a : m->actions())
            if (!a->isSeparator())
                a->setIcon(MenuIcon(a->objectName()));
}

void TMainForm::SetMenuCaption(QMenu* menu, const QString& caption)
{
    menu->setTitle(caption);
}

void TMainForm::SetMenuCaption(QAction* item, const QString& caption)
{
    item->setProperty(kCaptionProperty, caption);
    const QString keyText = QString::fromStdString(ShortcutName(MenuShortCut(item)));
    item->setText(keyText.isEmpty() ? caption : caption + '\t' + keyText);
}

TShortCut TMainForm::MenuShortCut(const QAction* item) const
{
    return TShortCut(item->property(kShortCutProperty).toUInt());
}

void TMainForm::SetMenuShortCut(QAction* item, TShortCut shortcut)
{
    item->setProperty(kShortCutProperty, uint(shortcut));
    item->setShortcut(ShortCutToKeySequence(shortcut));
    // The popup's Del works only where the grid has the focus; the handler checks.
    item->setShortcutContext(Qt::WindowShortcut);
    SetMenuCaption(item, item->property(kCaptionProperty).toString());
}

void TMainForm::FormCreate()
{
    CBX_FormatCapture->setCurrentIndex(0);
    CBX_FormatCapture->setMaxVisibleItems(CBX_FormatCapture->count());
    InitAppSettings(QCoreApplication::applicationFilePath().toStdString());
    setWindowTitle(QString::fromStdString(AppSettings().AppTitle));
    RouteHelpRequests();
    LabelColor->clear();
    CurrentColor = 0xFFFFFF;
    ColorListOpenCount = 0;
    ColorListWidth = 220;
    ColorListHeight = 315;
}

void TMainForm::FormShow()
{
    setAcceptDrops(true);
    OpenIniFile(QString::fromStdString(AppSettings().IniFilePath));
    OpenLanguageFile(QString::fromStdString(AppSettings().LanguageFilePath));
    ContrastStyleChanged();
    ColorList.clear();
    ResetGridCapture();
    ResetStatusBar();
    hotkeys_->grab();
    PopupCaptureColor->setVisible(false);
    capture_->start();
    if (ShowNewVersion && UpdateCheckBuiltIn)
        TimerActualize->start();
    else
        TimerActualize->stop();
    if (refusedHotKeyText_) {
        const std::string refused = refusedHotKeyText_->empty() ? "HK_CAPTURE=" : *refusedHotKeyText_;
        refusedHotKeyText_.reset();
        prompts_.message(mkWarning,
                       QString::fromStdString(FormatMessageText(UiTexts().SHotKeyNotRegistered, {refused})));
    }
}

void TMainForm::FormClose()
{
    hotkeys_->release();
    setAcceptDrops(false);
    ColorList.clear();
    ColorList.shrink_to_fit();
    SaveIniFile(QString::fromStdString(AppSettings().IniFilePath));
}

void TMainForm::ButtonCloseClick()
{
    close();
}

void TMainForm::ResetStatusBar()
{
    const QString keyText = QString::fromStdString(ShortcutName(MenuShortCut(PopupCaptureColor)));
    StatusBar1->SetPanelText(1, QString::fromStdString(UiTexts().SCapture) + ' ' + keyText);
}

int TMainForm::FormatIndex() const
{
    return CBX_FormatCapture->currentIndex();
}

QString TMainForm::ShowCodeColors(const QComboBox* box, TColor color) const
{
    const ColorCodeText code = WriteColorCode(box->currentIndex(), color, DecimalSeparator());
    return QString::fromLatin1(code.View().data(), qsizetype(code.View().size()));
}

QString TMainForm::ShowCodeColorsCapture(TColor color)
{
    ShSelectedColor->SetBrushColor(color);
    return ShowCodeColors(CBX_FormatCapture, color);
}

void TMainForm::UseCaptureController(std::unique_ptr<IScreenSampler> sampler)
{
    const bool running = capture_ && capture_->isRunning();
    delete capture_;
    capture_ = new CaptureController(std::move(sampler),
                                     {ImgZoom, SHImageZoom, ShSelectedColor, LabelColor, StatusBar1}, this);
    capture_->setNotation(CBX_FormatCapture->currentIndex());
    connect(CBX_FormatCapture, &QComboBox::currentIndexChanged, capture_, &CaptureController::setNotation);
    SelectedListColorChanged();
    ContrastStyleChanged();
    if (running)
        capture_->start();
}

void TMainForm::SetScreenSampler(std::unique_ptr<IScreenSampler> sampler)
{
    if (sampler)
        UseCaptureController(std::move(sampler));
}

void TMainForm::UseHotkeyService(std::unique_ptr<IGlobalHotkey> hotkey)
{
    const TShortCut shortcut = hotkeys_ ? hotkeys_->shortcut() : TShortCut(0);
    delete hotkeys_;
    hotkeys_ = new HotkeyService(std::move(hotkey), prompts_, this);
    hotkeys_->setShortcut(shortcut);
    connect(hotkeys_, &HotkeyService::triggered, this, &TMainForm::CaptureColor);
    connect(hotkeys_, &HotkeyService::shortcutChanged, this, [this](TShortCut changed) {
        SetMenuShortCut(PopupCaptureColor, changed);
        ResetStatusBar();
    });
}

void TMainForm::SetGlobalHotkey(std::unique_ptr<IGlobalHotkey> hotkey)
{
    if (hotkey)
        UseHotkeyService(std::move(hotkey));
}

void TMainForm::ButtonHotKeyClick()
{
    HotkeyDialog dialog(hotkeys_->shortcut(), this);
    prompts_.runDialog(dialog);
    hotkeys_->change(dialog.shortcut());
    ResetStatusBar();
}

std::optional<TColor> TMainForm::SelectedListColor() const
{
    if (SelectedIndex < 0 || std::size_t(SelectedIndex) >= ColorList.size())
        return std::nullopt;
    return ColorList[std::size_t(SelectedIndex)];
}

void TMainForm::SelectedListColorChanged()
{
    capture_->setSelectedColor(SelectedListColor());
}

void TMainForm::ContrastStyleChanged()
{
    const TUiTexts& texts = UiTexts();
    capture_->setContrastStyle(DecimalSeparator(), texts.SContrastAALarge, texts.SContrastFail);
}

void TMainForm::showEvent(QShowEvent* event)
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

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!closed_) {
        closed_ = true;
        capture_->stop();
        TimerActualize->stop();
        FormClose();
    }
    event->accept();
    QApplication::quit();
}

void TMainForm::contextMenuEvent(QContextMenuEvent* event)
{
    PopupCapture->exec(event->globalPos());
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->acceptProposedAction();
    if (!paths.isEmpty())
        WMDropFiles(paths);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // Left unaccepted, the override lets the Edit menu's whole-field commands
    // run instead of the field's own copy of its selection.
    if (event->type() == QEvent::ShortcutOverride && watched == EditCaptureColor
        && EditMenuTakesKey(static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Typed characters never reach the notation box; it is chosen from its list.
        if (watched == CBX_FormatCapture && !key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
        if (watched == EditCaptureColor && !key->text().isEmpty()) {
            QChar ch = key->text().at(0);
            const bool isEnter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (isEnter)
                ch = QChar(13);
            if (!EditCaptureColorKeyPress(ch))
                return true;
            if (!isEnter && ch != key->text().at(0)) {
                QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), QString(ch));
                QApplication::sendEvent(EditCaptureColor, &replaced);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
