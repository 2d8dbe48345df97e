#pragma once

// Where the plug-in's settings stand in its INI file; the plug-in and the
// checker read the same names.
namespace vorlent::config {

inline constexpr char kSection[] = "Config";
inline constexpr char kCheckStringKey[] = "Check String";
inline constexpr char kIgnoreLinePrefixKey[] = "Ignore Line Prefix";
inline constexpr char kIgnoreFromLinePrefixKey[] = "Ignore From Line Prefix";

}  // namespace vorlent::config
