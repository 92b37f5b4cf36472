// The reserved-word lists of Verilog, VHDL, C and C++, and the C library's function names.
#include "model/ReservedWords.h"

#include <algorithm>
#include <unordered_set>

#include "model/Letters.h"

namespace {

// Words separated by blanks.
std::vector<std::string_view> Split(std::string_view text) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = text.find_first_not_of(' ', i);
        if (start == std::string_view::npos) {
            break;
        }
        const size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        i = end;
    }
    return words;
}

// The keywords of SystemVerilog (IEEE 1800-2017), which hold those of Verilog, and the words
// iverilog reserves besides (bool, wone, wreal).
constexpr std::string_view VerilogWords =
    "accept_on alias always always_comb always_ff always_latch and assert assign assume "
    "automatic before begin bind bins binsof bit bool break buf bufif0 bufif1 byte case casex "
    "casez cell chandle checker class clocking cmos config const constraint context continue "
    "cover covergroup coverpoint cross deassign default defparam design disable dist do edge "
    "else end endcase endchecker endclass endclocking endconfig endfunction endgenerate "
    "endgroup endinterface endmodule endpackage endprimitive endprogram endproperty endsequence "
    "endspecify endtable endtask enum event eventually expect export extends extern final "
    "first_match for force foreach forever fork forkjoin function generate genvar global "
    "highz0 highz1 if iff ifnone ignore_bins illegal_bins implements implies import incdir "
    "include initial inout input inside instance int integer interconnect interface intersect "
    "join join_any join_none large let liblist library local localparam logic longint "
    "macromodule matches medium modport module nand negedge nettype new nexttime nmos nor "
    "noshowcancelled not notif0 notif1 null or output package packed parameter pmos posedge "
    "primitive priority program property protected pull0 pull1 pulldown pullup "
    "pulsestyle_ondetect pulsestyle_onevent pure rand randc randcase randsequence rcmos real "
    "realtime ref reg reject_on release repeat restrict return rnmos rpmos rtran rtranif0 "
    "rtranif1 s_always s_eventually s_nexttime s_until s_until_with scalared sequence shortint "
    "shortreal showcancelled signed small soft solve specify specparam static string strong "
    "strong0 strong1 struct super supply0 supply1 sync_accept_on sync_reject_on table tagged "
    "task this throughout time timeprecision timeunit tran tranif0 tranif1 tri tri0 tri1 "
    "triand trior trireg type typedef union unique unique0 unsigned until until_with untyped "
    "use uwire var vectored virtual void wait wait_order wand weak weak0 weak1 while wildcard "
    "wire with within wone wor wreal xnor xor";

// std_logic and ieee: a port of that name would hide the library or the type.
constexpr std::string_view VhdlWords =
    "abs access after alias all and architecture array assert assume assume_guarantee "
    "attribute begin block body buffer bus case component configuration constant context cover "
    "default disconnect downto else elsif end entity exit fairness file for force function "
    "generate generic group guarded if impure in inertial inout is label library linkage "
    "literal loop map mod nand new next nor not null of on open or others out package "
    "parameter port postponed private procedure process property protected pure range record "
    "register reject release rem report restrict restrict_guarantee return rol ror select "
    "sequence severity shared signal sla sll sra srl strong subtype then to transport type "
    "unaffected units until use variable view vmode vpkg vprop vunit wait when while with xnor "
    "xor ieee std work std_logic std_ulogic std_logic_1164";

// Keywords of C23 and C++20, the alternative tokens, and the object-like macros of the standard
// C headers that a program including the export may have defined.
constexpr std::string_view CWords =
    "_Alignas _Alignof _Atomic _BitInt _Bool _Complex _Decimal128 _Decimal32 _Decimal64 "
    "_Generic _Imaginary _Noreturn _Pragma _Static_assert _Thread_local alignas alignof and "
    "and_eq asm auto bitand bitor bool break case catch char char8_t char16_t char32_t class "
    "co_await co_return co_yield compl concept const const_cast consteval constexpr constinit "
    "continue decltype default delete do double dynamic_cast else enum explicit export extern "
    "false float for friend goto if inline int long mutable namespace new noexcept not not_eq "
    "nullptr operator or or_eq private protected public register reinterpret_cast requires "
    "restrict return short signed sizeof static static_assert static_cast struct switch "
    "template this thread_local throw true try typedef typeid typename typeof typeof_unqual "
    "union unsigned using virtual void volatile wchar_t while xor xor_eq "
    "EOF NULL errno stdin stdout stderr BUFSIZ FILENAME_MAX FOPEN_MAX L_tmpnam TMP_MAX "
    "SEEK_SET SEEK_CUR SEEK_END _IOFBF _IOLBF _IONBF EXIT_SUCCESS EXIT_FAILURE RAND_MAX "
    "MB_CUR_MAX EDOM ERANGE EILSEQ CHAR_BIT SCHAR_MIN SCHAR_MAX UCHAR_MAX CHAR_MIN CHAR_MAX "
    "MB_LEN_MAX SHRT_MIN SHRT_MAX USHRT_MAX INT_MIN INT_MAX UINT_MAX LONG_MIN LONG_MAX "
    "ULONG_MAX LLONG_MIN LLONG_MAX ULLONG_MAX INT8_MIN INT8_MAX UINT8_MAX INT16_MIN INT16_MAX "
    "UINT16_MAX INT32_MIN INT32_MAX UINT32_MAX INT64_MIN INT64_MAX UINT64_MAX INTPTR_MIN "
    "INTPTR_MAX UINTPTR_MAX INTMAX_MIN INTMAX_MAX UINTMAX_MAX PTRDIFF_MIN PTRDIFF_MAX SIZE_MAX "
    "SIG_ATOMIC_MIN SIG_ATOMIC_MAX WCHAR_MIN WCHAR_MAX WINT_MIN WINT_MAX WEOF SIGABRT SIGFPE "
    "SIGILL SIGINT SIGSEGV SIGTERM SIG_DFL SIG_ERR SIG_IGN LC_ALL LC_COLLATE LC_CTYPE "
    "LC_MONETARY LC_NUMERIC LC_TIME CLOCKS_PER_SEC TIME_UTC HUGE_VAL HUGE_VALF HUGE_VALL "
    "INFINITY NAN FP_INFINITE FP_NAN FP_NORMAL FP_SUBNORMAL FP_ZERO FP_ILOGB0 FP_ILOGBNAN "
    "MATH_ERRNO MATH_ERREXCEPT math_errhandling FLT_RADIX FLT_ROUNDS FLT_EVAL_METHOD "
    "DECIMAL_DIG FLT_DIG DBL_DIG LDBL_DIG FLT_EPSILON DBL_EPSILON LDBL_EPSILON FLT_MAX "
    "DBL_MAX LDBL_MAX FLT_MIN DBL_MIN LDBL_MIN FE_DIVBYZERO FE_INEXACT FE_INVALID FE_OVERFLOW "
    "FE_UNDERFLOW FE_ALL_EXCEPT FE_DOWNWARD FE_TONEAREST FE_TOWARDZERO FE_UPWARD FE_DFL_ENV "
    "__bool_true_false_are_defined noreturn complex imaginary";

// Functions of the C library, main, and std (the C++ library's namespace): a function of that
// name clashes with a declaration the headers make.
constexpr std::string_view CLibraryWords =
    "main std abort abs acos acosh asctime asin asinh assert atan atan2 atanh atexit atof atoi "
    "atol atoll bsearch btowc calloc cbrt ceil clearerr clock copysign cos cosh ctime "
    "difftime div erf erfc exit exp exp2 expm1 fabs fclose fdim feof ferror fflush fgetc "
    "fgetpos fgets fgetwc fgetws floor fma fmax fmin fmod fopen fprintf fputc fputs fputwc "
    "fputws fread free freopen frexp fscanf fseek fsetpos ftell fwide fwprintf fwrite fwscanf "
    "getc getchar getenv gets getwc getwchar gmtime hypot ilogb isalnum isalpha isblank "
    "iscntrl isdigit isgraph islower isprint ispunct isspace isupper iswalnum iswalpha "
    "iswblank iswcntrl iswctype iswdigit iswgraph iswlower iswprint iswpunct iswspace "
    "iswupper iswxdigit isxdigit labs ldexp ldiv lgamma llabs lldiv llrint llround "
    "localeconv localtime log log10 log1p log2 logb longjmp lrint lround malloc mblen mbrlen "
    "mbrtowc mbsinit mbsrtowcs mbstowcs mbtowc memchr memcmp memcpy memmove memset mktime "
    "modf nan nearbyint nextafter nexttoward perror pow printf putc putchar puts putwc "
    "putwchar qsort quick_exit raise rand realloc remainder remove remquo rename rewind rint "
    "round scalbln scalbn scanf setbuf setjmp setlocale setvbuf signal sin sinh snprintf "
    "sprintf sqrt srand sscanf strcat strchr strcmp strcoll strcpy strcspn strerror strftime "
    "strlen strncat strncmp strncpy strpbrk strrchr strspn strstr strtod strtof strtok strtol "
    "strtold strtoll strtoul strtoull strxfrm swprintf swscanf system tan tanh tgamma time "
    "tmpfile tmpnam tolower toupper towctrans towlower towupper trunc ungetc ungetwc "
    "vfprintf vfscanf vfwprintf vprintf vscanf vsnprintf vsprintf vsscanf vswprintf wcrtomb "
    "wcscat wcschr wcscmp wcscoll wcscpy wcscspn wcsftime wcslen wcsncat wcsncmp wcsncpy "
    "wcspbrk wcsrchr wcsrtombs wcsspn wcsstr wcstod wcstok wcstol wcstombs wcstoul wcsxfrm "
    "wctob wctomb wctrans wctype wmemchr wmemcmp wmemcpy wmemmove wmemset wprintf wscanf";

}  // namespace

const std::vector<std::string_view>& ReservedWords(TReservedLanguage language) {
    static const std::vector<std::string_view> lists[] = {Split(VerilogWords), Split(VhdlWords),
                                                          Split(CWords), Split(CLibraryWords)};
    return lists[static_cast<int>(language)];
}

bool IsReservedWord(TReservedLanguage language, const std::string& word) {
    const bool caseless = language == TReservedLanguage::Vhdl;
    static const auto sets = [] {
        std::vector<std::unordered_set<std::string>> all(4);
        for (int i = 0; i < 4; ++i) {
            const auto list = static_cast<TReservedLanguage>(i);
            for (const std::string_view w : ReservedWords(list)) {
                all[static_cast<size_t>(i)].insert(
                    list == TReservedLanguage::Vhdl ? LowerCase(std::string(w)) : std::string(w));
            }
        }
        return all;
    }();
    return sets[static_cast<size_t>(language)].count(caseless ? LowerCase(word) : word) > 0;
}
