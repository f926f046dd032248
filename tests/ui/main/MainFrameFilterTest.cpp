#include "MainFrameFixture.h"

#include "ui/dialogs/FilterNamesDialog.h"

#include <QPushButton>

namespace {

// The count pane shows the rows left of all the library's photos; hiding the current
// photo's row leaves no current photo, and so nothing more to hide.
TEST_F(MainFrameTest, FiltersCountTheRowsLeftAndHideNeedsACurrentPhoto)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    m_dialogs.Then<FilterNamesDialog>(
        [](FilterNamesDialog& dialog) { dialog.OkButton()->click(); });
    Trigger(CommandId::FilterByLocation);
    EXPECT_EQ(CountPane(), "0 of 2") << "nothing chosen keeps nothing";
    Trigger(CommandId::UndoAllFilters);
    EXPECT_EQ(CountPane(), "2 of 2");

    MakeCurrent(1);
    Trigger(CommandId::HideSelection);
    EXPECT_EQ(CountPane(), "1 of 2");
    EXPECT_EQ(m_frame.Context().pictureView.PhotoShown(), nullptr);
    EXPECT_FALSE(m_frame.Action(CommandId::HideSelection)->isEnabled());
    EXPECT_FALSE(Lib().IsModified());
}

} // namespace
