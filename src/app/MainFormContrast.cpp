// The contrast between the colour under the cursor and the colour selected in
// the list, in the status bar's third panel.
#include "config/AppSettings.h"
#include "app/reMainForm.h"
#include "config/UiTexts.h"

namespace {
constexpr int kContrastPanel = 2;
}

std::optional<TColor> TMainForm::SelectedListColor() const
{
    if (SelectedIndex < 0 || std::size_t(SelectedIndex) >= ColorList.size())
        return std::nullopt;
    return ColorList[std::size_t(SelectedIndex)];
}

void TMainForm::ShowContrast(TColor sampled)
{
    // Runs on every tick: the text, and so the panel, changes only with the tenth.
    if (contrastReadout_.Update(sampled, SelectedListColor()))
        StatusBar1->SetPanelText(kContrastPanel, QString::fromStdString(contrastReadout_.Text()));
}

void TMainForm::ContrastStyleChanged()
{
    const TUiTexts& texts = UiTexts();
    contrastReadout_.SetStyle(DecimalSeparator(), texts.SContrastAALarge, texts.SContrastFail);
}
