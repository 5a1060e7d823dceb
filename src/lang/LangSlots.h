// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The slots of the language table that the program reads one by one, named
// after what they hold. A slot is its section and the number of its key
// ("OTHERS" s8 is {Others, 8}); the captions that go to controls by the
// dozen are listed in tables beside the controls instead.
namespace velmora {

enum class LangSection { About, Menu, BaseCores, InitialData, MagneticCore, Results, Buttons, Others };

// The number of slots of a section: keys s1 to s29 fill slots 1 to 29 (s0
// of MAGNETIC CORE slot 0), and this program added OTHERS s30 and s31.
constexpr int SlotCount(LangSection section) {
  switch (section) {
    case LangSection::About:
    case LangSection::Menu:
      return 6;
    case LangSection::MagneticCore:
      return 20;
    case LangSection::Buttons:
      return 10;
    case LangSection::Others:
      return 32;
    default:
      return 30;
  }
}

struct LangSlot {
  // A slot is named at compile time only, so a key outside its section does
  // not compile.
  consteval LangSlot(LangSection s, int k) : section(s), key(k) {
    if (k < 0 || k >= SlotCount(s)) throw "the key lies outside its section";
  }
  LangSection section;
  int key;
};

// ABOUT
inline constexpr LangSlot kAboutContactLine{LangSection::About, 2};

// MENU
inline constexpr LangSlot kMenuAbout{LangSection::Menu, 1};            // also the About window's caption
inline constexpr LangSlot kMenuHelp{LangSection::Menu, 2};             // also the Help window's caption
inline constexpr LangSlot kMenuLanguage{LangSection::Menu, 3};         // the language submenu
inline constexpr LangSlot kMenuCurrentLanguage{LangSection::Menu, 4};  // its item of the current language

// BASE CORES: the messages of adding and deleting a core.
inline constexpr LangSlot kAddCoreNameEmpty{LangSection::BaseCores, 24};
inline constexpr LangSlot kAddCoreMuEmpty{LangSection::BaseCores, 25};
inline constexpr LangSlot kAddCoreDimensionEmpty{LangSection::BaseCores, 26};
inline constexpr LangSlot kAddCoreDataEmpty{LangSection::BaseCores, 27};
inline constexpr LangSlot kDeleteCoreQuestion{LangSection::BaseCores, 28};
inline constexpr LangSlot kCoreNameTaken{LangSection::BaseCores, 29};  // added by this program

// INITIAL DATA: the captions that follow a choice.
inline constexpr LangSlot kWireSizeLabelMetric{LangSection::InitialData, 7};
inline constexpr LangSlot kVoltageOnLabelOutputChoke{LangSection::InitialData, 12};
inline constexpr LangSlot kVoltageOffLabelOutputChoke{LangSection::InitialData, 13};
inline constexpr LangSlot kVoltageOnLabelOtherUse{LangSection::InitialData, 14};
inline constexpr LangSlot kVoltageOffLabelOtherUse{LangSection::InitialData, 15};
inline constexpr LangSlot kWireSizeLabelAwg{LangSection::InitialData, 20};

// MAGNETIC CORE
inline constexpr LangSlot kRequiredGapCaption{LangSection::MagneticCore, 4};
inline constexpr LangSlot kRequiredAlCaption{LangSection::MagneticCore, 5};
inline constexpr LangSlot kPermittedFluxWord{LangSection::MagneticCore, 10};  // "(max 0.300 T)"

// RESULTS
inline constexpr LangSlot kWireCaptionMetric{LangSection::Results, 4};
inline constexpr LangSlot kWireCaptionAwg{LangSection::Results, 9};

// OTHERS: the file dialogs, units and messages.
inline constexpr LangSlot kOpenTitle{LangSection::Others, 1};
inline constexpr LangSlot kOpenButton{LangSection::Others, 2};
inline constexpr LangSlot kSaveTitle{LangSection::Others, 3};
inline constexpr LangSlot kSaveButton{LangSection::Others, 4};
inline constexpr LangSlot kSaveLabel{LangSection::Others, 5};
inline constexpr LangSlot kOverwriteQuestion{LangSection::Others, 6};
inline constexpr LangSlot kCancelButton{LangSection::Others, 7};
inline constexpr LangSlot kMessageCaption{LangSection::Others, 8};
inline constexpr LangSlot kFileNotFound{LangSection::Others, 9};
inline constexpr LangSlot kUnitMilliHenry{LangSection::Others, 14};
inline constexpr LangSlot kUnitMicroHenry{LangSection::Others, 15};
inline constexpr LangSlot kUnitMillimetre{LangSection::Others, 18};
inline constexpr LangSlot kNoDataMaterialName{LangSection::Others, 21};
inline constexpr LangSlot kWriteFailed{LangSection::Others, 22};  // added by this program
inline constexpr LangSlot kFluxWarning{LangSection::Others, 23};
inline constexpr LangSlot kFillWarning{LangSection::Others, 24};
inline constexpr LangSlot kRippleMessage{LangSection::Others, 25};
inline constexpr LangSlot kUnitAwg{LangSection::Others, 26};
inline constexpr LangSlot kWireNotice{LangSection::Others, 27};        // added by this program
inline constexpr LangSlot kCoreNameRefused{LangSection::Others, 28};   // added by this program
inline constexpr LangSlot kOkButton{LangSection::Others, 29};          // added by this program
inline constexpr LangSlot kCoreValueRefused{LangSection::Others, 30};  // added by this program
inline constexpr LangSlot kDatabaseInUse{LangSection::Others, 31};     // added by this program

}  // namespace velmora
