// The window's result labels and what each shows. The names are the window's control names;
// the schemes, the window, the console and the results table all use these constants.
#pragma once

namespace pellin::labels {

// The prototype file's summary, beside the captions "N=", "N1=", "N2=" and "d=".
inline constexpr const char* n = "Label18";  ///< n, prototypes in the file
inline constexpr const char* n1 = "Label20"; ///< n1, prototypes of class 1
inline constexpr const char* n2 = "Label22"; ///< n2 = n - n1, prototypes of class 2
inline constexpr const char* d = "Label29";  ///< d, features of each prototype

// The confusion table under "Predicted Classifications": a row per true class (C1, C2), the
// columns "C1", "%", "C2", "%" (how many were classified as each class, and what share of the
// row that is) and "N" (how many were tested).
inline constexpr const char* c1_as_c1 = "Label6";          ///< t1 - err1
inline constexpr const char* c1_as_c1_percent = "Label23"; ///< (t1 - err1)·100 / t1
inline constexpr const char* c1_as_c2 = "Label7";          ///< err1, class 1 called class 2
inline constexpr const char* c1_as_c2_percent = "Label26"; ///< err1·100 / t1
inline constexpr const char* tested1 = "Label11";          ///< t1, class-1 samples tested
inline constexpr const char* c2_as_c1 = "Label8";          ///< err2, class 2 called class 1
inline constexpr const char* c2_as_c1_percent = "Label24"; ///< err2·100 / t2
inline constexpr const char* c2_as_c2 = "Label9";          ///< t2 - err2
inline constexpr const char* c2_as_c2_percent = "Label27"; ///< (t2 - err2)·100 / t2
inline constexpr const char* tested2 = "Label12";          ///< t2, class-2 samples tested

// Beside "Overall Error (%)" and "s=".
inline constexpr const char* overall_error = "Label15"; ///< the overall error in percent
inline constexpr const char* spread = "Label31";        ///< spread of the fold errors in percent
                                                        ///< (partition scheme only)

} // namespace pellin::labels
