#include "ecu/IdentificationTable.h"

#include <algorithm>

namespace corsel {

namespace {

using identification::kChannels1x;
using identification::kChannelsD0;
using identification::kChannelsD1;

constexpr ModelProfile profile(int group1x, int groupD0, int groupD1) {
    return {static_cast<std::uint8_t>(group1x), static_cast<std::uint8_t>(groupD0),
            static_cast<std::uint8_t>(groupD1)};
}

// Every key with its profile, grouped by profile. The two keys that stand a
// second time at the end match their first entry; the repeats never decide
// anything.
constexpr std::array<IdentificationEntry, identification::kEntryCount> kEntries{{
    {identification::kFixedListKey, {}, true},
    {"010001", profile(0, 1, 3)},
    {"010002", profile(0, 1, 30)},
    {"010003", profile(0, 1, 30)},
    {"010004", profile(1, 1, 31)},
    {"010005", profile(1, 1, 31)},
    {"0100FC", profile(2, 1, 5)},
    {"0101A5", profile(2, 1, 5)},
    {"010080", profile(2, 1, 17)},
    {"0100B2", profile(2, 1, 17)},
    {"0100CE", profile(2, 1, 17)},
    {"0100D9", profile(2, 1, 17)},
    {"0100DB", profile(2, 1, 17)},
    {"0100E8", profile(2, 1, 17)},
    {"010105", profile(2, 1, 17)},
    {"01010C", profile(2, 1, 17)},
    {"01010E", profile(2, 1, 17)},
    {"010134", profile(2, 1, 19)},
    {"010135", profile(2, 1, 19)},
    {"01011E", profile(2, 1, 26)},
    {"010120", profile(2, 1, 26)},
    {"010173", profile(2, 1, 26)},
    {"0101A1", profile(2, 1, 26)},
    {"0101B3", profile(2, 1, 26)},
    {"010257", profile(2, 1, 26)},
    {"0100FB", profile(2, 1, 28)},
    {"01010D", profile(2, 1, 28)},
    {"010100", profile(2, 1, 29)},
    {"01008D", profile(2, 1, 29)},
    {"010102", profile(2, 1, 29)},
    {"01010F", profile(2, 1, 29)},
    {"010187", profile(2, 1, 29)},
    {"010007", profile(2, 2, 4)},
    {"01001F", profile(2, 2, 4)},
    {"01002D", profile(2, 2, 4)},
    {"01005A", profile(2, 2, 4)},
    {"01005F", profile(2, 2, 4)},
    {"01011B", profile(2, 2, 54)},
    {"0102CA", profile(2, 2, 57)},
    {"010008", profile(3, 1, 32)},
    {"01000D", profile(3, 1, 32)},
    {"010009", profile(4, 1, 5)},
    {"010068", profile(4, 2, 4)},
    {"01000B", profile(5, 1, 32)},
    {"01000E", profile(5, 1, 32)},
    {"010019", profile(5, 1, 32)},
    {"01004D", profile(6, 1, 3)},
    {"010060", profile(6, 1, 3)},
    {"010034", profile(6, 1, 8)},
    {"010062", profile(6, 1, 8)},
    {"010035", profile(6, 1, 9)},
    {"0100DF", profile(6, 1, 26)},
    {"01001B", profile(6, 1, 30)},
    {"010052", profile(6, 1, 30)},
    {"010032", profile(6, 1, 33)},
    {"0100B1", profile(6, 1, 35)},
    {"0100BC", profile(6, 1, 35)},
    {"010069", profile(6, 1, 36)},
    {"01008F", profile(6, 1, 38)},
    {"0100ED", profile(6, 1, 38)},
    {"01002C", profile(6, 1, 39)},
    {"010041", profile(6, 1, 41)},
    {"01005D", profile(6, 1, 41)},
    {"010064", profile(6, 1, 41)},
    {"0100EE", profile(6, 1, 57)},
    {"01000C", profile(6, 3, 33)},
    {"01002A", profile(6, 3, 38)},
    {"0100BA", profile(6, 3, 38)},
    {"0100C3", profile(6, 3, 38)},
    {"0100B9", profile(6, 3, 52)},
    {"01000F", profile(6, 4, 30)},
    {"01001A", profile(6, 4, 30)},
    {"01002B", profile(6, 4, 30)},
    {"0100AA", profile(6, 5, 51)},
    {"010014", profile(7, 1, 30)},
    {"010011", profile(7, 1, 30)},
    {"010318", profile(7, 1, 30)},
    {"0100E6", profile(7, 1, 36)},
    {"010010", profile(8, 0, 46)},
    {"010020", profile(8, 0, 46)},
    {"01002F", profile(8, 0, 46)},
    {"01003E", profile(8, 0, 46)},
    {"010040", profile(8, 0, 46)},
    {"010074", profile(8, 0, 46)},
    {"01007D", profile(8, 0, 46)},
    {"01008E", profile(8, 0, 46)},
    {"0100B5", profile(8, 0, 46)},
    {"0100C0", profile(8, 0, 46)},
    {"01007E", profile(8, 1, 7)},
    {"01007F", profile(8, 1, 7)},
    {"01003A", profile(8, 1, 12)},
    {"01006B", profile(8, 1, 12)},
    {"01009D", profile(8, 1, 12)},
    {"01006D", profile(8, 1, 15)},
    {"0100CD", profile(8, 1, 17)},
    {"0100B4", profile(8, 1, 18)},
    {"0100C9", profile(8, 1, 18)},
    {"010088", profile(8, 1, 20)},
    {"01009A", profile(8, 1, 20)},
    {"0100C8", profile(8, 1, 20)},
    {"0100F0", profile(8, 1, 20)},
    {"0100F1", profile(8, 1, 20)},
    {"0100A1", profile(8, 1, 24)},
    {"0100A2", profile(8, 1, 24)},
    {"0100A3", profile(8, 1, 24)},
    {"0100CF", profile(8, 1, 24)},
    {"0100B6", profile(8, 1, 25)},
    {"01010B", profile(8, 1, 25)},
    {"010106", profile(8, 1, 26)},
    {"010107", profile(8, 1, 26)},
    {"010177", profile(8, 1, 26)},
    {"010198", profile(8, 1, 26)},
    {"0101B0", profile(8, 1, 26)},
    {"0101D0", profile(8, 1, 26)},
    {"010213", profile(8, 1, 26)},
    {"010199", profile(8, 1, 26)},
    {"010218", profile(8, 1, 26)},
    {"0101AF", profile(8, 1, 26)},
    {"0401C3", profile(8, 1, 26)},
    {"0101CD", profile(8, 1, 26)},
    {"0101B8", profile(8, 1, 26)},
    {"010295", profile(8, 1, 26)},
    {"01030E", profile(8, 1, 26)},
    {"010200", profile(8, 1, 26)},
    {"01001C", profile(8, 1, 30)},
    {"01001D", profile(8, 1, 34)},
    {"010045", profile(8, 1, 38)},
    {"010058", profile(8, 1, 38)},
    {"010059", profile(8, 1, 38)},
    {"010089", profile(8, 1, 47)},
    {"010095", profile(8, 1, 49)},
    {"0100AD", profile(8, 1, 52)},
    {"0100AE", profile(8, 1, 52)},
    {"01004E", profile(8, 2, 4)},
    {"010050", profile(8, 2, 4)},
    {"010051", profile(8, 2, 4)},
    {"01006E", profile(8, 2, 4)},
    {"010075", profile(8, 2, 4)},
    {"010076", profile(8, 2, 4)},
    {"010082", profile(8, 2, 4)},
    {"0100EA", profile(8, 2, 4)},
    {"010036", profile(8, 2, 10)},
    {"010054", profile(8, 2, 10)},
    {"010055", profile(8, 2, 10)},
    {"010056", profile(8, 2, 10)},
    {"010037", profile(8, 2, 11)},
    {"010067", profile(8, 2, 11)},
    {"01006F", profile(8, 2, 11)},
    {"010091", profile(8, 2, 11)},
    {"0100DA", profile(8, 2, 11)},
    {"010047", profile(8, 2, 13)},
    {"0100A8", profile(8, 2, 13)},
    {"01004F", profile(8, 2, 14)},
    {"010077", profile(8, 2, 16)},
    {"01008B", profile(8, 2, 21)},
    {"010090", profile(8, 2, 22)},
    {"0100A7", profile(8, 2, 22)},
    {"0100E2", profile(8, 2, 22)},
    {"0100EF", profile(8, 2, 22)},
    {"010096", profile(8, 2, 23)},
    {"0100CB", profile(8, 2, 23)},
    {"0100EC", profile(8, 2, 27)},
    {"010038", profile(8, 2, 40)},
    {"010053", profile(8, 2, 44)},
    {"010093", profile(8, 2, 48)},
    {"010094", profile(8, 2, 48)},
    {"01009E", profile(8, 2, 50)},
    {"0100B8", profile(8, 2, 53)},
    {"010113", profile(8, 2, 53)},
    {"010125", profile(8, 2, 53)},
    {"0100C5", profile(8, 2, 54)},
    {"010101", profile(8, 2, 54)},
    {"0100C6", profile(8, 2, 55)},
    {"0100FA", profile(8, 2, 55)},
    {"010111", profile(8, 2, 55)},
    {"010016", profile(9, 1, 3)},
    {"010021", profile(9, 1, 3)},
    {"010027", profile(9, 1, 3)},
    {"010015", profile(9, 1, 6)},
    {"0100FD", profile(9, 1, 26)},
    {"01014B", profile(9, 1, 26)},
    {"010025", profile(9, 1, 30)},
    {"010081", profile(9, 1, 30)},
    {"010022", profile(9, 1, 35)},
    {"01003B", profile(9, 1, 36)},
    {"01003C", profile(9, 1, 36)},
    {"010098", profile(9, 1, 36)},
    {"01009B", profile(9, 1, 36)},
    {"010087", profile(9, 1, 42)},
    {"08017D", profile(9, 2, 57)},
    {"0101F6", profile(9, 2, 57)},
    {"0101E3", profile(9, 2, 57)},
    {"0801F6", profile(9, 2, 57)},
    {"040152", profile(9, 2, 57)},
    {"01018D", profile(9, 2, 57)},
    {"010174", profile(9, 2, 57)},
    {"010144", profile(9, 2, 57)},
    {"01017D", profile(9, 2, 57)},
    {"0102B7", profile(9, 2, 57)},
    {"0102F0", profile(9, 2, 57)},
    {"010229", profile(9, 2, 57)},
    {"040271", profile(9, 2, 57)},
    {"080273", profile(9, 2, 57)},
    {"0101E8", profile(9, 2, 57)},
    {"0101D5", profile(9, 2, 57)},
    {"01018C", profile(9, 2, 57)},
    {"0800AB", profile(9, 3, 36)},
    {"080103", profile(9, 3, 46)},
    {"080104", profile(9, 3, 46)},
    {"080119", profile(9, 3, 46)},
    {"010119", profile(9, 5, 46)},
    {"010103", profile(9, 5, 51)},
    {"01010A", profile(10, 0, 17)},
    {"0100FF", profile(10, 0, 20)},
    {"05003E", profile(10, 0, 42)},
    {"050074", profile(10, 0, 42)},
    {"05008E", profile(10, 0, 42)},
    {"0100BB", profile(10, 1, 3)},
    {"01011F", profile(10, 1, 3)},
    {"010139", profile(10, 1, 5)},
    {"0100D2", profile(10, 1, 12)},
    {"010110", profile(10, 1, 12)},
    {"010148", profile(10, 1, 17)},
    {"010145", profile(10, 1, 26)},
    {"01011C", profile(10, 1, 29)},
    {"010030", profile(10, 1, 30)},
    {"010039", profile(10, 1, 30)},
    {"010046", profile(10, 1, 30)},
    {"01005B", profile(10, 1, 30)},
    {"01006A", profile(10, 1, 30)},
    {"010092", profile(10, 1, 30)},
    {"0100D3", profile(10, 1, 30)},
    {"0100E0", profile(10, 1, 30)},
    {"0100E3", profile(10, 1, 30)},
    {"0100F5", profile(10, 1, 30)},
    {"01007B", profile(10, 1, 35)},
    {"010023", profile(10, 1, 36)},
    {"010044", profile(10, 1, 36)},
    {"01004A", profile(10, 1, 36)},
    {"010070", profile(10, 1, 36)},
    {"010086", profile(10, 1, 36)},
    {"010097", profile(10, 1, 36)},
    {"01009C", profile(10, 1, 36)},
    {"0100A4", profile(10, 1, 36)},
    {"0100D7", profile(10, 1, 36)},
    {"0100D8", profile(10, 1, 36)},
    {"010042", profile(10, 1, 42)},
    {"01005C", profile(10, 1, 42)},
    {"080073", profile(10, 1, 42)},
    {"040031", profile(10, 1, 42)},
    {"040061", profile(10, 1, 42)},
    {"040063", profile(10, 1, 42)},
    {"040072", profile(10, 1, 42)},
    {"01004C", profile(10, 1, 43)},
    {"0100C1", profile(10, 1, 52)},
    {"0100CC", profile(10, 1, 56)},
    {"01012C", profile(10, 2, 11)},
    {"010131", profile(10, 2, 11)},
    {"010108", profile(10, 2, 21)},
    {"010122", profile(10, 2, 21)},
    {"010126", profile(10, 2, 21)},
    {"01011A", profile(10, 2, 53)},
    {"01011D", profile(10, 2, 60)},
    {"0100B3", profile(10, 3, 30)},
    {"0100F3", profile(10, 4, 30)},
    {"010033", profile(10, 4, 36)},
    {"01007C", profile(10, 4, 36)},
    {"01005E", profile(10, 4, 45)},
    {"0100B0", profile(10, 4, 45)},
    {"0100B7", profile(10, 4, 45)},
    {"010083", profile(11, 1, 18)},
    {"010084", profile(11, 1, 18)},
    {"01008C", profile(11, 1, 20)},
    {"0100CA", profile(11, 1, 20)},
    {"0100E4", profile(11, 1, 20)},
    {"010155", profile(11, 1, 20)},
    {"010114", profile(11, 1, 26)},
    {"010115", profile(11, 1, 26)},
    {"010116", profile(11, 1, 26)},
    {"010117", profile(11, 1, 26)},
    {"01013C", profile(11, 1, 26)},
    {"01013D", profile(11, 1, 26)},
    {"01013E", profile(11, 1, 26)},
    {"01013F", profile(11, 1, 26)},
    {"010140", profile(11, 1, 26)},
    {"010142", profile(11, 1, 26)},
    {"010175", profile(11, 1, 26)},
    {"010279", profile(11, 1, 26)},
    {"01024B", profile(11, 1, 26)},
    {"010305", profile(11, 1, 26)},
    {"010306", profile(11, 1, 26)},
    {"010222", profile(11, 1, 26)},
    {"01019D", profile(11, 1, 26)},
    {"0101E4", profile(11, 1, 26)},
    {"010230", profile(11, 1, 26)},
    {"060066", profile(11, 1, 33)},
    {"06009F", profile(11, 1, 33)},
    {"0600A6", profile(11, 1, 33)},
    {"0100A0", profile(11, 1, 36)},
    {"010028", profile(11, 1, 37)},
    {"010029", profile(11, 1, 37)},
    {"0800E5", profile(11, 2, 0)},
    {"0800EB", profile(11, 2, 0)},
    {"010254", profile(11, 2, 20)},
    {"010190", profile(11, 2, 26)},
    {"010133", profile(11, 2, 55)},
    {"080156", profile(11, 2, 57)},
    {"01018F", profile(11, 2, 57)},
    {"08016F", profile(11, 2, 57)},
    {"010143", profile(11, 2, 57)},
    {"010183", profile(11, 2, 57)},
    {"0101C1", profile(11, 2, 57)},
    {"08016E", profile(11, 2, 57)},
    {"0B013B", profile(11, 2, 57)},
    {"0101AA", profile(11, 2, 57)},
    {"01016F", profile(11, 2, 57)},
    {"0D0172", profile(11, 2, 57)},
    {"0801CF", profile(11, 2, 57)},
    {"0C013B", profile(11, 2, 57)},
    {"0C0171", profile(11, 2, 57)},
    {"0801AA", profile(11, 2, 57)},
    {"0C01C2", profile(11, 2, 57)},
    {"010249", profile(11, 2, 57)},
    {"0801E0", profile(11, 2, 57)},
    {"080176", profile(11, 2, 57)},
    {"01017A", profile(11, 2, 57)},
    {"08024C", profile(11, 2, 57)},
    {"0801E1", profile(11, 2, 57)},
    {"080256", profile(11, 2, 57)},
    {"01016D", profile(11, 2, 57)},
    {"010129", profile(11, 2, 57)},
    {"0102A4", profile(11, 2, 57)},
    {"010248", profile(11, 2, 57)},
    {"0C02D2", profile(11, 2, 57)},
    {"08019A", profile(11, 2, 57)},
    {"010256", profile(11, 2, 57)},
    {"01025D", profile(11, 2, 57)},
    {"0102F6", profile(11, 2, 57)},
    {"0801DF", profile(11, 2, 57)},
    {"0802A4", profile(11, 2, 57)},
    {"010255", profile(11, 2, 57)},
    {"0802E6", profile(11, 2, 57)},
    {"0102E0", profile(11, 2, 57)},
    {"05013A", profile(11, 2, 57)},
    {"0802E0", profile(11, 2, 57)},
    {"080358", profile(11, 2, 57)},
    {"0101A9", profile(11, 2, 57)},
    {"010338", profile(11, 2, 57)},
    {"01031A", profile(11, 2, 57)},
    {"0802DF", profile(11, 2, 57)},
    {"0C02D1", profile(11, 2, 57)},
    {"01019B", profile(11, 2, 57)},
    {"01022E", profile(11, 2, 57)},
    {"0D02D3", profile(11, 2, 57)},
    {"010130", profile(11, 2, 57)},
    {"010323", profile(11, 2, 57)},
    {"0102E5", profile(11, 2, 57)},
    {"0102C0", profile(11, 2, 57)},
    {"01012F", profile(11, 2, 57)},
    {"0101E1", profile(11, 2, 57)},
    {"010285", profile(11, 2, 57)},
    {"0102A1", profile(11, 2, 57)},
    {"050323", profile(11, 2, 57)},
    {"0102D0", profile(11, 2, 57)},
    {"0101AD", profile(11, 2, 57)},
    {"01026A", profile(11, 2, 57)},
    {"010333", profile(11, 2, 57)},
    {"080303", profile(11, 2, 57)},
    {"080357", profile(11, 2, 57)},
    {"080356", profile(11, 2, 57)},
    {"0801C1", profile(11, 2, 57)},
    {"0802D0", profile(11, 2, 57)},
    {"010319", profile(11, 2, 57)},
    {"010141", profile(11, 2, 57)},
    {"0101C4", profile(11, 2, 57)},
    {"080143", profile(11, 2, 57)},
    {"040197", profile(11, 2, 57)},
    {"010302", profile(11, 2, 57)},
    {"0102E1", profile(11, 2, 57)},
    {"0501C1", profile(11, 2, 57)},
    {"0B02FB", profile(11, 2, 57)},
    {"0100E5", profile(11, 2, 58)},
    {"080133", profile(11, 2, 58)},
    {"010065", profile(12, 5, 46)},
    {"0100A5", profile(13, 1, 0)},
    {"0100D0", profile(13, 1, 0)},
    {"0100D1", profile(13, 1, 0)},
    {"0100F6", profile(13, 1, 0)},
    {"0100F7", profile(13, 1, 0)},
    {"010112", profile(13, 1, 0)},
    {"01012A", profile(13, 1, 0)},
    {"0100C4", profile(13, 1, 1)},
    {"010071", profile(13, 1, 2)},
    {"010153", profile(13, 1, 20)},
    {"010154", profile(13, 1, 20)},
    {"0101F9", profile(13, 1, 20)},
    {"01019C", profile(13, 1, 20)},
    {"01024E", profile(13, 1, 20)},
    {"010276", profile(13, 1, 20)},
    {"01014E", profile(13, 1, 20)},
    {"010263", profile(13, 1, 20)},
    {"0101F2", profile(13, 1, 20)},
    {"01027D", profile(13, 1, 20)},
    {"0102F2", profile(13, 1, 20)},
    {"01020A", profile(13, 1, 20)},
    {"0101DE", profile(13, 1, 20)},
    {"0101AC", profile(13, 1, 20)},
    {"010277", profile(13, 1, 20)},
    {"01015B", profile(13, 1, 20)},
    {"010289", profile(13, 1, 20)},
    {"01025E", profile(13, 1, 20)},
    {"01008A", profile(13, 1, 20)},
    {"010128", profile(13, 1, 20)},
    {"010287", profile(13, 1, 20)},
    {"0102F4", profile(13, 1, 20)},
    {"0101DD", profile(13, 1, 20)},
    {"010236", profile(13, 1, 20)},
    {"0102E8", profile(13, 1, 20)},
    {"010179", profile(13, 1, 20)},
    {"010344", profile(13, 1, 20)},
    {"0102F3", profile(13, 1, 20)},
    {"01036D", profile(13, 1, 20)},
    {"010368", profile(13, 1, 20)},
    {"01015E", profile(13, 1, 20)},
    {"0103B6", profile(13, 1, 20)},
    {"010424", profile(13, 1, 20)},
    {"010192", profile(13, 1, 20)},
    {"0100F9", profile(13, 1, 26)},
    {"010123", profile(13, 1, 26)},
    {"010118", profile(13, 1, 26)},
    {"010127", profile(13, 1, 26)},
    {"0100FE", profile(13, 1, 29)},
    {"010121", profile(13, 1, 29)},
    {"010078", profile(14, 6, 32)},
    {"010079", profile(14, 6, 32)},
    {"010085", profile(15, 1, 19)},
    {"0101A4", profile(15, 2, 57)},
    {"010274", profile(15, 2, 57)},
    {"010256", profile(11, 2, 57)},
    {"010289", profile(13, 1, 20)},
}};

// The 1x channel table: for a group and the low digits of the 1x table
// number in `digits` (bit d for digit d), the variants of channels 0-14, or
// nullptr where the channels are not shown.
struct Rows1x {
    std::uint8_t group;
    std::uint16_t digits;
    const char* variants;
};

constexpr std::uint16_t kAnyDigit = 0xFFFF;

constexpr std::array kTable1x{
    Rows1x{0, kAnyDigit, "111111111000000"},
    Rows1x{1, kAnyDigit, "111111111220000"},
    Rows1x{2, 0x0033, "100111111000000"},
    Rows1x{2, 0x0004, "100111111002000"},
    Rows1x{2, 0x0008, "100111222001000"},
    Rows1x{2, 0x0040, "100220333000000"},
    Rows1x{2, 0x0080, "100101222001000"},
    Rows1x{2, 0xFF00, nullptr},
    Rows1x{3, kAnyDigit, "101111111202100"},
    Rows1x{4, kAnyDigit, "111111111000010"},
    Rows1x{5, kAnyDigit, "101111111202000"},
    Rows1x{6, 0x0033, "111111111000000"},
    Rows1x{6, 0x0004, "101111111000000"},
    Rows1x{6, 0x0008, "100111222000000"},
    Rows1x{6, 0x0040, "122220333000000"},
    Rows1x{6, 0x0080, "103001222000000"},
    Rows1x{6, 0xFF00, nullptr},
    Rows1x{7, 0x0001, "111111111000010"},
    Rows1x{7, 0x0022, "111111111200010"},
    Rows1x{7, 0x0004, "101111111200010"},
    Rows1x{7, 0x0008, "100111222000000"},
    Rows1x{7, 0x0010, "111111111000011"},
    Rows1x{7, 0x0040, "122220333000020"},
    Rows1x{7, 0x0080, "103001222000000"},
    Rows1x{7, 0xFF00, nullptr},
    Rows1x{8, 0x0011, "101111111000000"},
    Rows1x{8, 0x0002, "111111111110000"},
    Rows1x{8, 0x0004, "101111111100000"},
    Rows1x{8, 0x0008, "100111222000000"},
    Rows1x{8, 0x0020, "101111111110000"},
    Rows1x{8, 0x0040, "102220333000000"},
    Rows1x{8, 0x0080, "103001222000000"},
    Rows1x{8, 0xFF00, nullptr},
    Rows1x{9, 0x0033, "111111111000010"},
    Rows1x{9, 0x0004, "101111111000010"},
    Rows1x{9, 0x0008, "100111222000000"},
    Rows1x{9, 0x0040, "122222333000020"},
    Rows1x{9, 0x0080, "103001222000000"},
    Rows1x{9, 0xFF00, nullptr},
    Rows1x{10, 0x0011, "111111111000000"},
    Rows1x{10, 0x0022, "111111111110000"},
    Rows1x{10, 0x0004, "101111111100000"},
    Rows1x{10, 0x0008, "100111222000000"},
    Rows1x{10, 0x0040, "122220333000000"},
    Rows1x{10, 0x0080, "103001222000000"},
    Rows1x{10, 0xFF00, nullptr},
    Rows1x{11, 0x0011, "111111111000000"},
    Rows1x{11, 0x0022, "111111111220000"},
    Rows1x{11, 0x0004, "101111111200000"},
    Rows1x{11, 0x0008, "100111222000000"},
    Rows1x{11, 0x0040, "122221333000000"},
    Rows1x{11, 0x0080, "103001222000000"},
    Rows1x{11, 0xFF00, nullptr},
    Rows1x{12, 0x0015, "101111111000000"},
    Rows1x{12, 0x0022, "101111111230000"},
    Rows1x{12, 0x0008, "100111222000000"},
    Rows1x{12, 0x0040, "102220333000000"},
    Rows1x{12, 0x0080, "103001222000000"},
    Rows1x{12, 0xFF00, nullptr},
    Rows1x{13, 0x0037, "101111111000000"},
    Rows1x{13, 0x0008, "100111222000000"},
    Rows1x{13, 0x0040, "102220333000000"},
    Rows1x{13, 0x0080, "103001222000000"},
    Rows1x{13, 0xFF00, nullptr},
    Rows1x{14, 0x0011, "101111111000000"},
    Rows1x{14, 0x0022, "101111111200000"},
    Rows1x{14, 0x0004, "101111111202100"},
    Rows1x{14, 0x0008, "100111222001000"},
    Rows1x{14, 0x0040, "102220333000000"},
    Rows1x{14, 0x0080, "103001222001000"},
    Rows1x{14, 0xFF00, nullptr},
    Rows1x{15, 0x0033, "100111111000000"},
    Rows1x{15, 0x0004, "100111111200000"},
    Rows1x{15, 0x0008, "100111222000000"},
    Rows1x{15, 0x0040, "100220333000000"},
    Rows1x{15, 0x0080, "100001222000000"},
    Rows1x{15, 0xFF00, nullptr},
};

// The D0 table, one row per group; nullptr: nothing shown.
constexpr std::array<const char*, identification::kGroupD0Count> kTableD0{
    nullptr,
    "10000000000",
    "11000000000",
    "10111000000",
    "10111111000",
    "10111000000",
    "10000000111",
};

// The D1 table, one row per group; nullptr: nothing shown.
constexpr std::array<const char*, identification::kGroupD1Count> kTableD1{
    "00100000000000000000000",
    "00100000000000000000000",
    "00100000000000000000200",
    "11111100000000000000000",
    "10110001000000000000000",
    "11110100000000000000000",
    "11111100000000100000000",
    "00110000000000000000000",
    "11010100000000000000000",
    "11001100000000000000000",
    "00110001000000001000000",
    "11110001000000000000000",
    "00110000000000000110000",
    "00110001000000000110000",
    "10100001000000000001000",
    "01110000000000001110000",
    "10110001000000000001000",
    "10110000000000000000000",
    "00110000000000001110000",
    "00110000000000100110010",
    "01110000000000000000000",
    "11110101000000000000000",
    "10110001000000000000000",
    "00110001000000101110000",
    "01110000000000000000000",
    "00110000000000100110000",
    "01110000000000000110010",
    "00110001000000100000000",
    "10110000000000100000010",
    "00110000000000000110010",
    "11111110000000000000000",
    "01110010000000000000000",
    "00110000111111000000000",
    "01110110000000000000000",
    "00111010000000000000000",
    "11110110000000100000000",
    "11110110000000000000000",
    "01010110000000000000000",
    "01110110000000000000000",
    "11011100000000010000000",
    "11010010000000000000000",
    "01110111000000100000000",
    "10110110000000000000000",
    "11110110000000010000000",
    "01110110000000000000000",
    "11111110000000000001000",
    "11110110000000000000100",
    "01110000000000000110001",
    "00110111000000000000000",
    "00110110000000110000000",
    "01110111000000000000000",
    "11110110000000000000100",
    "00110110000000000000000",
    "11110111000000000000000",
    "10110011000000100000000",
    "11110011000000000000000",
    "11110010000000000000000",
    "11111110000000010000000",
    nullptr,
    nullptr,
    nullptr,
};

// ---- Checks of the tables, at compile time ----

constexpr bool isKey(std::string_view key) {
    return key.size() == 6 && std::all_of(key.begin(), key.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
           });
}

constexpr std::uint64_t hexValue(std::string_view key) {
    std::uint64_t value = 0;
    for (const char c : key) {
        value = value * 16 + static_cast<std::uint64_t>(c <= '9' ? c - '0' : c - 'A' + 10);
    }
    return value;
}

// Each entry as one number, key above profile, sorted: equal keys stand
// together, and a repeat with another profile would make its own number.
constexpr auto kSortedEntries = [] {
    std::array<std::uint64_t, identification::kEntryCount> packed{};
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        const IdentificationEntry& e = kEntries[i];
        packed[i] = hexValue(e.EcmId) << 32 | std::uint64_t{e.fixedList} << 24 |
                    std::uint64_t{e.profile.group1x} << 16 |
                    std::uint64_t{e.profile.groupD0} << 8 | e.profile.groupD1;
    }
    std::sort(packed.begin(), packed.end());
    return packed;
}();

template <typename Same>
constexpr std::size_t distinctEntries(Same same) {
    std::size_t distinct = 1;
    for (std::size_t i = 1; i < kSortedEntries.size(); ++i) {
        distinct += same(kSortedEntries[i - 1], kSortedEntries[i]) ? 0 : 1;
    }
    return distinct;
}

constexpr std::size_t distinctKeys() {
    return distinctEntries([](std::uint64_t a, std::uint64_t b) { return a >> 32 == b >> 32; });
}

// A repeated key must carry the profile of its first entry.
constexpr bool repeatsAgree() {
    return distinctEntries([](std::uint64_t a, std::uint64_t b) { return a == b; }) ==
           distinctKeys();
}

constexpr bool entriesValid() {
    return std::all_of(kEntries.begin(), kEntries.end(), [](const IdentificationEntry& e) {
        return isKey(e.EcmId) && e.profile.group1x < identification::kGroup1xCount &&
               e.profile.groupD0 < identification::kGroupD0Count &&
               e.profile.groupD1 < identification::kGroupD1Count;
    });
}

// A row of variants: `length` digits, each a variant of the tables (0-3).
constexpr bool rowValid(const char* row, std::size_t length) {
    if (row == nullptr) {
        return true;
    }
    std::size_t count = 0;
    for (; row[count] != '\0'; ++count) {
        if (row[count] < '0' || row[count] > '3') {
            return false;
        }
    }
    return count == length;
}

// Every group and table digit of the 1x table has exactly one row.
constexpr bool table1xComplete() {
    for (std::uint8_t group = 0; group < identification::kGroup1xCount; ++group) {
        for (int digit = 0; digit < 16; ++digit) {
            int rows = 0;
            for (const Rows1x& row : kTable1x) {
                rows += (row.group == group && (row.digits >> digit & 1)) ? 1 : 0;
            }
            if (rows != 1) {
                return false;
            }
        }
    }
    return std::all_of(kTable1x.begin(), kTable1x.end(),
                       [](const Rows1x& row) { return rowValid(row.variants, kChannels1x); });
}

static_assert(distinctKeys() == identification::kKeyCount);
static_assert(repeatsAgree());
static_assert(entriesValid());
static_assert(table1xComplete());
static_assert(std::all_of(kTableD0.begin(), kTableD0.end(),
                          [](const char* row) { return rowValid(row, kChannelsD0); }));
static_assert(std::all_of(kTableD1.begin(), kTableD1.end(),
                          [](const char* row) { return rowValid(row, kChannelsD1); }));

template <std::size_t N>
std::optional<std::array<std::uint8_t, N>> digitsOf(const char* row) {
    if (row == nullptr) {
        return std::nullopt;
    }
    std::array<std::uint8_t, N> variants{};
    for (std::size_t i = 0; i < N; ++i) {
        variants[i] = static_cast<std::uint8_t>(row[i] - '0');
    }
    return variants;
}

}  // namespace

namespace identification {

std::span<const IdentificationEntry> entries() { return kEntries; }

std::optional<std::array<std::uint8_t, kChannels1x>> variants1x(std::uint8_t group1x,
                                                                std::uint8_t tableDigit) {
    if (tableDigit >= 16) {
        return std::nullopt;
    }
    for (const Rows1x& row : kTable1x) {
        if (row.group == group1x && (row.digits >> tableDigit & 1)) {
            return digitsOf<kChannels1x>(row.variants);
        }
    }
    return std::nullopt;
}

std::optional<std::array<std::uint8_t, kChannelsD0>> variantsD0(std::uint8_t groupD0) {
    return groupD0 < kTableD0.size() ? digitsOf<kChannelsD0>(kTableD0[groupD0]) : std::nullopt;
}

std::optional<std::array<std::uint8_t, kChannelsD1>> variantsD1(std::uint8_t groupD1) {
    return groupD1 < kTableD1.size() ? digitsOf<kChannelsD1>(kTableD1[groupD1]) : std::nullopt;
}

}  // namespace identification

std::optional<IdentificationMatch> LookupModelProfile(std::string_view ecmId) {
    const auto found = std::find_if(kEntries.begin(), kEntries.end(),
                                    [&](const IdentificationEntry& e) { return e.EcmId == ecmId; });
    if (found == kEntries.end()) {
        return std::nullopt;
    }
    return IdentificationMatch{found->profile, found->fixedList};
}

}  // namespace corsel
