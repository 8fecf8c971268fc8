#pragma once
// The program's fixed facts: its name and versions, its web site and download
// pages, its name on the desktop and the stored part of the update address.

inline constexpr char kProgramName[] = "Huebird";
inline constexpr char kProgramVersion[] = "2.0";
inline constexpr char kProgramFileVersion[] = "2.0.2.1";
// The main window's title: the name and the short version.
inline constexpr char kProgramTitle[] = "Huebird v.2.0";

inline constexpr char kWebSiteUrl[] = "http://huebird.example.com/";
inline constexpr char kDownloadPageFr[] = "http://huebird.example.com/FR/download-fr.php";
inline constexpr char kDownloadPageEn[] = "http://huebird.example.com/EN/download-en.php";

// The program's name on the desktop: desktop entry, icon, AppStream id.
inline constexpr char kDesktopId[] = "com.example.HuebirdLite";

// The leading part of the update service's address, scrambled (81 digits;
// tools/scramble-url makes them).
inline constexpr char kStoredUpdateUrlDigits[] =
    "833254376649349429642477021927041834252360573492502692472026924154775137371636338";
