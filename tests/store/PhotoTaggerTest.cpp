#include "TestLibrary.h"

#include "store/PhotoTagger.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Stored(const CQuilleryDoc& catalog, NameKind kind,
                                const PhotoRecord& photo)
{
    const auto names = catalog.UsedNames(kind, photo);
    return {names.begin(), names.end()};
}

TEST(PhotoTaggerTest, APhotoPastTheLimitIsReportedAndKeptWhileTheOthersAreTagged)
{
    TestLibrary lib;
    const PhotoRecord& holder = lib.Add("holder", 0, 0, 2000, {"Doe, Jane"}, {"Party"});
    const PhotoRecord& bare = lib.Add("bare");
    const PhotoRecord& crowded = lib.Add("crowded");
    PhotoRecord::IdList fifteen = crowded.Ids(NameKind::Persons);
    for (int i = 0; i < PhotoRecord::kMaxNames - 1; ++i)
        fifteen[static_cast<size_t>(i)] =
            lib.GetLibrary().AddName(NameKind::Persons, "P" + std::to_string(i));
    PhotoRecord values(crowded);
    values.SetIds(NameKind::Persons, fifteen);
    lib.GetLibrary().ChangePhoto(crowded, values);
    const PhotoRecord& untouched = lib.Add("untouched");
    lib.GetLibrary().Save(lib.Prompter());

    QSignalSpy changed(&lib.GetLibrary(), &Library::photoChanged);
    PhotoTagger::Names names;
    names[KindIndex(NameKind::Persons)] = {"Doe, Jane", "Smith, John", "Doe, Jane"};
    names[KindIndex(NameKind::Events)] = {"Party"};
    const std::vector<const PhotoRecord*> selected{&holder, &bare, &crowded};
    const PhotoTagger::Result result = PhotoTagger::Tag(lib.GetLibrary(), selected, names);

    EXPECT_EQ(result.tagged, (std::vector<const PhotoRecord*>{&holder, &bare}));
    EXPECT_EQ(result.full, std::vector<const PhotoRecord*>{&crowded});
    EXPECT_EQ(changed.count(), 2);
    const CQuilleryDoc& catalog = lib.Catalog();
    using Names = std::vector<std::string>;
    EXPECT_EQ(Stored(catalog, NameKind::Persons, holder), (Names{"Doe, Jane", "Smith, John"}));
    EXPECT_EQ(Stored(catalog, NameKind::Events, holder), Names{"Party"});
    EXPECT_EQ(Stored(catalog, NameKind::Persons, bare), (Names{"Doe, Jane", "Smith, John"}));
    EXPECT_EQ(Stored(catalog, NameKind::Events, bare), Names{"Party"});
    // Not even the event, which would have fitted.
    EXPECT_EQ(crowded.UsedIds(NameKind::Persons).size(), size_t{PhotoRecord::kMaxNames - 1});
    EXPECT_TRUE(crowded.UsedIds(NameKind::Events).empty());
    EXPECT_TRUE(untouched.UsedIds(NameKind::Persons).empty());
    EXPECT_EQ(catalog.Names(NameKind::Persons).Size(), PhotoRecord::kMaxNames + 1);
    EXPECT_TRUE(lib.GetLibrary().IsModified());
    EXPECT_EQ(PhotoTagger::FullMessage(result.full),
              "These photos would hold more than 16 names of a kind and were left as they "
              "were:\ncrowded");

    // Tagging again changes nothing: every photo holds the names already.
    changed.clear();
    const PhotoTagger::Result again =
        PhotoTagger::Tag(lib.GetLibrary(), std::vector<const PhotoRecord*>{&holder, &bare}, names);
    EXPECT_TRUE(again.tagged.empty());
    EXPECT_EQ(changed.count(), 0);
}

} // namespace
