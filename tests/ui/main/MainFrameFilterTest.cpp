#include "MainFrameFixture.h"

#include "ui/dialogs/FilterNamesDialog.h"

#include <QPushButton>

#include <algorithm>

namespace {

using Ids = std::vector<CommandId>;

bool AllEnabled(const MainFrame& frame, const Ids& ids)
{
    return std::all_of(ids.begin(), ids.end(), [&](CommandId id) { return frame.Action(id)->isEnabled(); });
}

const Ids kFilters{CommandId::FilterByDate, CommandId::FilterByPerson, CommandId::FilterByEvent,
                   CommandId::FilterByLocation, CommandId::UndoAllFilters};

TEST_F(MainFrameTest, FiltersCountTheRowsLeftAndHideNeedsACurrentPhoto)
{
    OpenWithDialog(MakeLibrary("Family.pdb"));
    EXPECT_EQ(CountPane(), "2 of 2");
    EXPECT_TRUE(AllEnabled(m_frame, kFilters));
    EXPECT_FALSE(m_frame.Action(CommandId::HideSelection)->isEnabled()) << "no current photo";

    m_dialogs.Then<FilterNamesDialog>([](FilterNamesDialog& dialog) { dialog.OkButton()->click(); });
    m_frame.Action(CommandId::FilterByLocation)->trigger();
    EXPECT_EQ(CountPane(), "0 of 2") << "nothing chosen keeps nothing";
    m_frame.Action(CommandId::UndoAllFilters)->trigger();
    EXPECT_EQ(CountPane(), "2 of 2");

    PhotoList& list = m_frame.Context().photoList;
    list.SetCurrentPhoto(list.PhotoAtRow(1));
    EXPECT_TRUE(m_frame.Action(CommandId::HideSelection)->isEnabled());
    m_frame.Action(CommandId::HideSelection)->trigger();
    EXPECT_EQ(CountPane(), "1 of 2");
    EXPECT_EQ(m_frame.Context().pictureView.PhotoShown(), nullptr);
    EXPECT_FALSE(m_frame.Action(CommandId::HideSelection)->isEnabled());
    EXPECT_FALSE(Lib().IsModified());
}

}  // namespace
