#pragma once
#include <QLatin1String>
#include <QtGlobal>

// Every section and key of the settings store, with the default and the range of the
// whole-number keys, in one place. Windows and models read through these names so that a
// key is spelt once; SettingsStore::readInt takes an IntKey and returns its default for a
// stored value that is missing, not a number or out of range.
namespace SettingsKeys {

// A whole-number key: its default and the range of the type it is kept in.
struct IntKey {
    QLatin1String name;
    qint64 def;
    qint64 low;
    qint64 high;
};

constexpr qint64 kInt16Low = -32768, kInt16High = 32767;
constexpr qint64 kInt32Low = -2147483647LL - 1, kInt32High = 2147483647LL;
constexpr qint64 kByteLow = 0, kByteHigh = 255;

// Sections.
constexpr QLatin1String Settings("Settings");
constexpr QLatin1String ModulePathSection("Module_Path");
constexpr QLatin1String SearchHistorySection("Search History");
constexpr QLatin1String IdentitySection("Identity");
constexpr QLatin1String PrayerTypes("PrayerTypes");
constexpr QLatin1String PrayerResults("PrayerResults");

// "Module_Path".
constexpr QLatin1String ModulePath("ModulePath");
constexpr QLatin1String TolvanePath("TolvanePath");

// "Settings": start-up and general options.
constexpr QLatin1String Revision("Revision");
constexpr QLatin1String RevisionDefault("999");
constexpr QLatin1String Language("L");
constexpr QLatin1String LanguageUnset("0");
constexpr QLatin1String LanguageDefault("ENGLISH_");
constexpr QLatin1String Debug("DEBUG");
constexpr QLatin1String DateFormat("DF");
constexpr QLatin1String DateFormatUnset("0");
constexpr QLatin1String DateFormatDefault("dd-MMM-yyyy");
constexpr QLatin1String DefaultFont("DEFAULTFONT");
constexpr QLatin1String DefaultFontDefault("Times New Roman");
constexpr IntKey ShowSplash{QLatin1String("ShowSplash"), 1, kInt16Low, kInt16High};
constexpr IntKey AutoClearClip{QLatin1String("AutoClearClip"), 0, kInt16Low, kInt16High};
constexpr IntKey PasswordProtected{QLatin1String("Password Protected"), 1, kInt16Low, kInt16High};

// "Settings": the main window's geometry (twips) and its remembered choices.
constexpr QLatin1String MainWidth("MainWidth");
constexpr QLatin1String MainHeight("MainHeight");
constexpr QLatin1String MainLeft("MainLeft");
constexpr QLatin1String MainTop("MainTop");
constexpr double MainWidthDefault = 10500, MainHeightDefault = 8000;
constexpr double MainLeftDefault = 1000, MainTopDefault = 1000;
constexpr IntKey CBOBookmark{QLatin1String("CBOBookmark"), 68, kInt16Low, kInt16High};
constexpr IntKey WhichBib{QLatin1String("WhichBib"), 0, kInt16Low, kInt16High};

// "Settings": the values LoadSettings reads (colours are Windows colour values).
constexpr QLatin1String MAXCountSize("MAXCountSize");
constexpr QLatin1String Bib1TC("Bib1TC");
constexpr QLatin1String Bib1BC("Bib1BC");
constexpr QLatin1String Bib1H1("Bib1H1");
constexpr QLatin1String Bib1H2("Bib1H2");
constexpr QLatin1String Bib1H3("Bib1H3");
constexpr QLatin1String Bib1H4("Bib1H4");
constexpr QLatin1String Bib1H5("Bib1H5");
constexpr QLatin1String Bib2TC("Bib2TC");
constexpr QLatin1String Bib2BC("Bib2BC");
constexpr QLatin1String Bib2Fontsize("Bib2Fontsize");
constexpr QLatin1String Bib1Fontsize("Bib1Fontsize");
constexpr QLatin1String ActiveUpdateBib1("ActiveUpdateBib1");
constexpr QLatin1String DeleteTempFilesOnExit("DeleteTempFilesOnExit");

// "Settings": page setup (a byte and singles; the two switches are 16-bit integers).
constexpr QLatin1String CM_IN("CM_IN");
constexpr QLatin1String WidthPage("WidthPage");
constexpr QLatin1String MarginLeft("MarginLeft");
constexpr QLatin1String MarginRight("MarginRight");
constexpr QLatin1String gTopMargin("gTopMargin");
constexpr QLatin1String gBottomMargin("gBottomMargin");
constexpr QLatin1String FitToDesktop("FitToDesktop");
constexpr QLatin1String ApplyToAllForms("ApplyToAllForms");

// "Settings": the prayer diary's font.
constexpr QLatin1String PrayerFontSize("PrayerFontSize");
constexpr QLatin1String PrayerForeColour("PrayerForeColour");
constexpr QLatin1String PrayerFontName("PrayerFontName");

// Window placements: name + "PosX", "PosY", "X", "Y" in "Settings".
constexpr QLatin1String PlacementLeft("PosX");
constexpr QLatin1String PlacementTop("PosY");
constexpr QLatin1String PlacementWidth("X");
constexpr QLatin1String PlacementHeight("Y");
constexpr QLatin1String ScreenMultiBible("ScreenV1");
constexpr QLatin1String ScreenNames("ScreenN");
constexpr QLatin1String ScreenDictionary("ScreenDict");
constexpr QLatin1String ScreenCommentary("ScreenCoMM");
constexpr QLatin1String ScreenPrayer("ScreenPrayer");
constexpr QLatin1String ScreenMap("ScreenMap");
constexpr QLatin1String ScreenNotes("ScreenTN");

// "Identity".
constexpr QLatin1String DefaultIdentity("Default");
constexpr QLatin1String DefaultIdentityDefault("Default");

// Bookmarks: the bookmark list window's placement in twips ("Settings").
constexpr IntKey TopBookmark{QLatin1String("TopBookmark"), 0, kInt32Low, kInt32High};
constexpr IntKey LeftBookmark{QLatin1String("LeftBookmark"), 0, kInt32Low, kInt32High};
constexpr IntKey WidthBookmark{QLatin1String("WidthBookmark"), 7000, kInt32Low, kInt32High};
constexpr IntKey HeightBookmark{QLatin1String("HeightBookmark"), 5000, kInt32Low, kInt32High};

// "Settings": help-file and audio Bibles. The address of the download notice; when it is
// not set, the web address of the project followed by NoticeFileName.
constexpr QLatin1String NoticeURL("NoticeURL");
constexpr QLatin1String NoticeFileName("mp3notice.txt");

// Module import: the SWORD folder the user chose last in the import window ("Settings").
constexpr QLatin1String ImportFolder("ImportFolder");

// Prayer diary and identities.
// "Identity": the list is keys "0", "1", ...; each identity's password under "Password" + its
// number and its flag under "Password Protected" + its number.
constexpr QLatin1String IdentityPasswordPrefix("Password");
constexpr QLatin1String IdentityFlagPrefix("Password Protected");
constexpr QLatin1String NoPasswordMarker("5190372");
// "Settings": the diary's font, as read (the keys are above).
constexpr IntKey PrayerFontSizeKey{QLatin1String("PrayerFontSize"), 12, kByteLow, kByteHigh};
constexpr IntKey PrayerForeColourKey{QLatin1String("PrayerForeColour"), 0, kInt32Low, kInt32High};
constexpr QLatin1String PrayerFontNameDefault("Times New Roman");
// "PrayerTypes" / "PrayerResults": one text per key "0", "1", ...; "0" stands for no entry.
constexpr int PrayerListLastKey = 254;
constexpr int PrayerListLastStoredKey = 100;
constexpr QLatin1String PrayerListEmpty("0");

} // namespace SettingsKeys
