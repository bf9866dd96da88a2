// The addresses the help and store commands open. Change the site or the package here.
#pragma once

inline constexpr const char* kHelpSite = "https://pemtrix.org";
inline constexpr const char* kHelpPath = "/games/Pemtrix/#HowToUse";
inline constexpr const char* kStoreSite = "https://play.google.com";
inline constexpr const char* kStorePath = "/store/apps/details";
inline constexpr const char* kStoreQueryKey = "id";
inline constexpr const char* kPackageId = "org.pemtrix.Pemtrix";
