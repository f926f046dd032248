#include "LibraryGenerator.h"

#include "core/CQuilleryDoc.h"

#include <array>
#include <string>

namespace {

constexpr int kPersons = 2000;
constexpr int kEvents = 500;
constexpr int kLocations = 300;

constexpr std::array kLastNames = {
    "Smith", "Johnson", "Williams", "Brown", "Jones", "Miller", "Davis", "Garcia", "Wilson",
    "Anderson", "Taylor", "Thomas", "Moore", "Martin", "Jackson", "Thompson", "White", "Harris",
    "Clark", "Lewis", "Robinson", "Walker", "Young", "Allen", "King", "Wright", "Scott", "Hill",
    "Green", "Adams", "Baker", "Nelson", "Carter", "Mitchell", "Roberts", "Turner", "Phillips",
    "Campbell", "Parker", "Evans"};
constexpr std::array kFirstNames = {
    "James", "Mary", "John", "Patricia", "Robert", "Jennifer", "Michael", "Linda", "William",
    "Elizabeth", "David", "Barbara", "Richard", "Susan", "Joseph", "Jessica", "Charles", "Sarah",
    "Thomas", "Karen", "Daniel", "Nancy", "Matthew", "Lisa", "Anthony", "Betty", "Mark", "Margaret",
    "Donald", "Sandra", "Steven", "Ashley", "Paul", "Kimberly", "Andrew", "Emily", "Joshua", "Donna",
    "Kenneth", "Michelle", "Kevin", "Dorothy", "Brian", "Carol", "George", "Amanda", "Edward",
    "Melissa", "Ronald", "Deborah"};
constexpr std::array kEventKinds = {
    "Summer holiday", "Christmas", "Birthday party", "Wedding", "Graduation", "Thanksgiving",
    "Easter", "Camping trip", "Family reunion", "School play"};
constexpr std::array kStates = {
    "France", "Italy", "Spain", "Germany", "Ohio", "Texas", "California", "Maine", "Oregon",
    "Florida", "Ontario", "Quebec", "Japan", "Greece", "Norway"};
constexpr std::array kCities = {
    "Paris", "Lyon", "Rome", "Madrid", "Berlin", "Columbus", "Austin", "Fresno", "Portland",
    "Miami", "Toronto", "Quebec City", "Kyoto", "Athens", "Bergen", "Springfield", "Riverside",
    "Fairview", "Franklin", "Greenville"};
constexpr std::array kSentences = {
    "Everyone came early and stayed late.",
    "The weather held until the afternoon | then it rained.",
    "Grandma brought her famous apple pie.",
    "Taken from the balcony of the hotel.",
    "The dog would not sit still for the picture.",
    "First time at the beach for the little ones.",
};

template <typename Array>
const char* Pick(const Array& items, int index)
{
    return items[static_cast<size_t>(index) % items.size()];
}

}  // namespace

void LibraryGenerator::Fill(CQuilleryDoc& catalog, int photos)
{
    catalog.Clear();
    AddNames(catalog);
    for (int i = 0; i < photos; ++i) AddPhoto(catalog, i);
}

uint64_t LibraryGenerator::Next()
{
    // xorshift64*: fast, and the same on every machine.
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return m_state * 2685821657736338717ULL;
}

void LibraryGenerator::AddNames(CQuilleryDoc& catalog)
{
    for (int i = 0; i < kPersons; ++i) {
        // 40 last names times 50 first names: every person distinct.
        catalog.AddName(NameKind::Persons,
                        std::string(Pick(kLastNames, i)) + ", " + Pick(kFirstNames, i / 40));
    }
    for (int i = 0; i < kEvents; ++i)
        catalog.AddName(NameKind::Events,
                        std::string(Pick(kEventKinds, i)) + ' ' + std::to_string(1950 + i / 10));
    for (int i = 0; i < kLocations; ++i)
        catalog.AddName(NameKind::Locations,
                        std::string(Pick(kStates, i)) + ", " + Pick(kCities, i / 15));
}

void LibraryGenerator::AddPhoto(CQuilleryDoc& catalog, int number)
{
    PhotoRecord record;
    record.SetFileName("IMG_" + std::to_string(100000 + number));
    record.SetDate(Below(13), Below(32), 1950 + Below(75));
    std::array<PhotoRecord::IdList, kNameKinds.size()> ids;
    for (auto& list : ids) list.fill(-1);
    const int persons = Below(5);
    for (int i = 0; i < persons; ++i) ids[0][static_cast<size_t>(i)] = Below(kPersons);
    const int events = Below(3);
    for (int i = 0; i < events; ++i) ids[1][static_cast<size_t>(i)] = Below(kEvents);
    if (Below(3) > 0) ids[2][0] = Below(kLocations);
    record.SetIds(ids);
    std::string notes;
    const int sentences = Below(4);
    for (int i = 0; i < sentences; ++i) {
        if (i > 0) notes += "\r\n";
        notes += Pick(kSentences, Below(static_cast<int>(kSentences.size())));
    }
    record.SetNotes(std::move(notes));
    catalog.AddPhoto(record);
}
