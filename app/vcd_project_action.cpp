// SPDX-License-Identifier: GPL-3.0-or-later
// Create VCD Project: the title set is opened only for its first video attribute byte and closed
// before the dialog appears; the dialog gets copies of everything it shows.
#include "app/vcd_project_action.h"

#include "project/vcd_project_dialog.h"
#include "project/vcd_project_opening.h"
#include "ui/native_dialogs.h"

namespace ratewise {

VcdProjectDialog* OpenVcdProjectDialog(QWidget* parent, const TitleSetLoad* load,
                                       const CalculatorState& state)
{
    // The information file is read afresh: from its path for a lone title set.
    std::unique_ptr<ByteSource> source = load ? load->OpenIfo() : nullptr;
    const std::optional<VcdProjectOpening> opening = ReadVcdProjectOpening(source.get(), state);
    if (!opening) {
        CurrentNativeDialogs().ShowMessage(parent, QStringLiteral("No ifo file loaded"));
        return nullptr;
    }
    auto* dialog = new VcdProjectDialog(*opening, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

} // namespace ratewise
