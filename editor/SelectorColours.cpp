// The colour tables of the appearance bar and the Legato switch.
#include "editor/SelectorColours.h"

namespace {

constexpr SelectorColours kOriginalBar{{20, 34, 38}, {68, 95, 98}, {226, 176, 104},
                                       {21, 35, 38}, {33, 53, 58}, {168, 195, 193}};
constexpr SelectorColours kVintageBar{{198, 190, 157}, {106, 113, 82},  {45, 62, 47},
                                      {239, 230, 187}, {215, 207, 174}, {51, 62, 46}};
constexpr SelectorColours kSilverBar{{204, 216, 224}, {128, 151, 167}, {33, 94, 115},
                                     {240, 251, 255}, {232, 240, 244}, {46, 76, 94}};

// The switch's frame sits in the border slot; the bar colour is unused for it.
constexpr SelectorColours kOriginalSwitch{{20, 34, 38}, {80, 107, 109}, {226, 176, 104},
                                          {21, 35, 38}, {33, 53, 58},   {168, 195, 193}};
constexpr SelectorColours kVintageSwitch{{198, 190, 157}, {129, 131, 104}, {221, 213, 179},
                                         {45, 62, 47},    {20, 26, 22},    {209, 196, 151}};
constexpr SelectorColours kSilverSwitch{{204, 216, 224}, {88, 107, 120},  {33, 94, 115},
                                        {240, 251, 255}, {232, 240, 244}, {46, 76, 94}};

}  // namespace

const SelectorColours& appearanceBarColours(int32_t skin) {
  if (skin == Original) return kOriginalBar;
  if (skin == Vintage) return kVintageBar;
  return kSilverBar;
}

const SelectorColours& legatoSwitchColours(int32_t skin) {
  if (skin == Original) return kOriginalSwitch;
  if (skin == Vintage) return kVintageSwitch;
  return kSilverSwitch;
}
