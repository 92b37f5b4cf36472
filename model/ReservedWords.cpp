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

// Keywords of C23 and C++20, the alternative tokens, and every macro of the C11 and C++17
// standard headers, object-like or function-like: a program that includes the export after
// them sees the macro, not the name.
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
    // assert.h complex.h errno.h (with the POSIX names C++ adds)
    "assert NDEBUG complex imaginary I _Complex_I _Imaginary_I CMPLX CMPLXF CMPLXL errno EDOM "
    "EILSEQ ERANGE E2BIG EACCES EADDRINUSE EADDRNOTAVAIL EAFNOSUPPORT EAGAIN EALREADY EBADF "
    "EBADMSG EBUSY ECANCELED ECHILD ECONNABORTED ECONNREFUSED ECONNRESET EDEADLK EDESTADDRREQ "
    "EEXIST EFAULT EFBIG EHOSTUNREACH EIDRM EINPROGRESS EINTR EINVAL EIO EISCONN EISDIR ELOOP "
    "EMFILE EMLINK EMSGSIZE ENAMETOOLONG ENETDOWN ENETRESET ENETUNREACH ENFILE ENOBUFS ENODATA "
    "ENODEV ENOENT ENOEXEC ENOLCK ENOLINK ENOMEM ENOMSG ENOPROTOOPT ENOSPC ENOSR ENOSTR ENOSYS "
    "ENOTCONN ENOTDIR ENOTEMPTY ENOTRECOVERABLE ENOTSOCK ENOTSUP ENOTTY ENXIO EOPNOTSUPP "
    "EOVERFLOW EOWNERDEAD EPERM EPIPE EPROTO EPROTONOSUPPORT EPROTOTYPE EROFS ESPIPE ESRCH ETIME "
    "ETIMEDOUT ETXTBSY EWOULDBLOCK EXDEV "
    // and the rest of Linux's, which its errno.h defines in every mode
    "EADV EBADE EBADFD EBADR EBADRQC EBADSLT EBFONT ECHRNG ECOMM EDEADLOCK EDOTDOT EDQUOT "
    "EHOSTDOWN EHWPOISON EISNAM EKEYEXPIRED EKEYREJECTED EKEYREVOKED EL2HLT EL2NSYNC EL3HLT "
    "EL3RST ELIBACC ELIBBAD ELIBEXEC ELIBMAX ELIBSCN ELNRNG EMEDIUMTYPE EMULTIHOP ENAVAIL ENOANO "
    "ENOCSI ENOKEY ENOMEDIUM ENONET ENOPKG ENOTBLK ENOTNAM ENOTUNIQ EPFNOSUPPORT EREMCHG EREMOTE "
    "EREMOTEIO ERESTART ERFKILL ESHUTDOWN ESOCKTNOSUPPORT ESRMNT ESTALE ESTRPIPE ETOOMANYREFS "
    "EUCLEAN EUNATCH EUSERS EXFULL "
    // fenv.h float.h
    "FE_DIVBYZERO FE_INEXACT FE_INVALID FE_OVERFLOW FE_UNDERFLOW FE_ALL_EXCEPT FE_DOWNWARD "
    "FE_TONEAREST FE_TOWARDZERO FE_UPWARD FE_DFL_ENV FLT_ROUNDS FLT_EVAL_METHOD FLT_RADIX "
    "DECIMAL_DIG FLT_HAS_SUBNORM DBL_HAS_SUBNORM LDBL_HAS_SUBNORM FLT_MANT_DIG DBL_MANT_DIG "
    "LDBL_MANT_DIG FLT_DECIMAL_DIG DBL_DECIMAL_DIG LDBL_DECIMAL_DIG FLT_DIG DBL_DIG LDBL_DIG "
    "FLT_MIN_EXP DBL_MIN_EXP LDBL_MIN_EXP FLT_MIN_10_EXP DBL_MIN_10_EXP LDBL_MIN_10_EXP "
    "FLT_MAX_EXP DBL_MAX_EXP LDBL_MAX_EXP FLT_MAX_10_EXP DBL_MAX_10_EXP LDBL_MAX_10_EXP FLT_MAX "
    "DBL_MAX LDBL_MAX FLT_EPSILON DBL_EPSILON LDBL_EPSILON FLT_MIN DBL_MIN LDBL_MIN FLT_TRUE_MIN "
    "DBL_TRUE_MIN LDBL_TRUE_MIN "
    // inttypes.h
    "PRId8 PRId16 PRId32 PRId64 PRIdLEAST8 PRIdLEAST16 PRIdLEAST32 PRIdLEAST64 PRIdFAST8 "
    "PRIdFAST16 PRIdFAST32 PRIdFAST64 PRIdMAX PRIdPTR PRIi8 PRIi16 PRIi32 PRIi64 PRIiLEAST8 "
    "PRIiLEAST16 PRIiLEAST32 PRIiLEAST64 PRIiFAST8 PRIiFAST16 PRIiFAST32 PRIiFAST64 PRIiMAX "
    "PRIiPTR PRIo8 PRIo16 PRIo32 PRIo64 PRIoLEAST8 PRIoLEAST16 PRIoLEAST32 PRIoLEAST64 PRIoFAST8 "
    "PRIoFAST16 PRIoFAST32 PRIoFAST64 PRIoMAX PRIoPTR PRIu8 PRIu16 PRIu32 PRIu64 PRIuLEAST8 "
    "PRIuLEAST16 PRIuLEAST32 PRIuLEAST64 PRIuFAST8 PRIuFAST16 PRIuFAST32 PRIuFAST64 PRIuMAX "
    "PRIuPTR PRIx8 PRIx16 PRIx32 PRIx64 PRIxLEAST8 PRIxLEAST16 PRIxLEAST32 PRIxLEAST64 PRIxFAST8 "
    "PRIxFAST16 PRIxFAST32 PRIxFAST64 PRIxMAX PRIxPTR PRIX8 PRIX16 PRIX32 PRIX64 PRIXLEAST8 "
    "PRIXLEAST16 PRIXLEAST32 PRIXLEAST64 PRIXFAST8 PRIXFAST16 PRIXFAST32 PRIXFAST64 PRIXMAX "
    "PRIXPTR SCNd8 SCNd16 SCNd32 SCNd64 SCNdLEAST8 SCNdLEAST16 SCNdLEAST32 SCNdLEAST64 SCNdFAST8 "
    "SCNdFAST16 SCNdFAST32 SCNdFAST64 SCNdMAX SCNdPTR SCNi8 SCNi16 SCNi32 SCNi64 SCNiLEAST8 "
    "SCNiLEAST16 SCNiLEAST32 SCNiLEAST64 SCNiFAST8 SCNiFAST16 SCNiFAST32 SCNiFAST64 SCNiMAX "
    "SCNiPTR SCNo8 SCNo16 SCNo32 SCNo64 SCNoLEAST8 SCNoLEAST16 SCNoLEAST32 SCNoLEAST64 SCNoFAST8 "
    "SCNoFAST16 SCNoFAST32 SCNoFAST64 SCNoMAX SCNoPTR SCNu8 SCNu16 SCNu32 SCNu64 SCNuLEAST8 "
    "SCNuLEAST16 SCNuLEAST32 SCNuLEAST64 SCNuFAST8 SCNuFAST16 SCNuFAST32 SCNuFAST64 SCNuMAX "
    "SCNuPTR SCNx8 SCNx16 SCNx32 SCNx64 SCNxLEAST8 SCNxLEAST16 SCNxLEAST32 SCNxLEAST64 SCNxFAST8 "
    "SCNxFAST16 SCNxFAST32 SCNxFAST64 SCNxMAX SCNxPTR "
    // limits.h locale.h
    "CHAR_BIT SCHAR_MIN SCHAR_MAX UCHAR_MAX CHAR_MIN CHAR_MAX MB_LEN_MAX SHRT_MIN SHRT_MAX "
    "USHRT_MAX INT_MIN INT_MAX UINT_MAX LONG_MIN LONG_MAX ULONG_MAX LLONG_MIN LLONG_MAX "
    "ULLONG_MAX LC_ALL LC_COLLATE LC_CTYPE LC_MONETARY LC_NUMERIC LC_TIME "
    // math.h, and the type-generic math of tgmath.h
    "HUGE_VAL HUGE_VALF HUGE_VALL INFINITY NAN FP_INFINITE FP_NAN FP_NORMAL FP_SUBNORMAL FP_ZERO "
    "FP_FAST_FMA FP_FAST_FMAF FP_FAST_FMAL FP_ILOGB0 FP_ILOGBNAN MATH_ERRNO MATH_ERREXCEPT "
    "math_errhandling fpclassify isfinite isinf isnan isnormal signbit isgreater isgreaterequal "
    "isless islessequal islessgreater isunordered acos asin atan atan2 cos sin tan acosh asinh "
    "atanh cosh sinh tanh exp exp2 expm1 frexp ilogb ldexp log log10 log1p log2 logb scalbn "
    "scalbln cbrt fabs hypot pow sqrt erf erfc lgamma tgamma ceil floor nearbyint rint lrint "
    "llrint round lround llround trunc fmod remainder remquo copysign nextafter nexttoward fdim "
    "fmax fmin fma carg cimag conj cproj creal "
    // setjmp.h signal.h stdalign.h stdarg.h
    "setjmp SIG_DFL SIG_ERR SIG_IGN SIGABRT SIGFPE SIGILL SIGINT SIGSEGV SIGTERM "
    // the POSIX signals and locale categories, which glibc defines in every mode too
    "SIGALRM SIGBUS SIGCHLD SIGCLD SIGCONT SIGHUP SIGIO SIGIOT SIGKILL SIGPIPE SIGPOLL SIGPROF "
    "SIGPWR SIGQUIT SIGRTMAX SIGRTMIN SIGSTKFLT SIGSTOP SIGSYS SIGTRAP SIGTSTP SIGTTIN SIGTTOU "
    "SIGURG SIGUSR1 SIGUSR2 SIGVTALRM SIGWINCH SIGXCPU SIGXFSZ LC_ADDRESS LC_IDENTIFICATION "
    "LC_MEASUREMENT LC_MESSAGES LC_NAME LC_PAPER LC_TELEPHONE "
    "__alignas_is_defined __alignof_is_defined va_arg va_copy va_end va_start "
    // stdatomic.h
    "ATOMIC_BOOL_LOCK_FREE ATOMIC_CHAR_LOCK_FREE ATOMIC_CHAR16_T_LOCK_FREE "
    "ATOMIC_CHAR32_T_LOCK_FREE ATOMIC_WCHAR_T_LOCK_FREE ATOMIC_SHORT_LOCK_FREE "
    "ATOMIC_INT_LOCK_FREE ATOMIC_LONG_LOCK_FREE ATOMIC_LLONG_LOCK_FREE ATOMIC_POINTER_LOCK_FREE "
    "ATOMIC_FLAG_INIT ATOMIC_VAR_INIT kill_dependency atomic_init atomic_is_lock_free "
    "atomic_store atomic_store_explicit atomic_load atomic_load_explicit atomic_exchange "
    "atomic_exchange_explicit atomic_compare_exchange_strong "
    "atomic_compare_exchange_strong_explicit atomic_compare_exchange_weak "
    "atomic_compare_exchange_weak_explicit atomic_fetch_add atomic_fetch_add_explicit "
    "atomic_fetch_sub atomic_fetch_sub_explicit atomic_fetch_or atomic_fetch_or_explicit "
    "atomic_fetch_xor atomic_fetch_xor_explicit atomic_fetch_and atomic_fetch_and_explicit "
    "atomic_flag_test_and_set atomic_flag_test_and_set_explicit atomic_flag_clear "
    "atomic_flag_clear_explicit atomic_thread_fence atomic_signal_fence memory_order_relaxed "
    "memory_order_consume memory_order_acquire memory_order_release memory_order_acq_rel "
    "memory_order_seq_cst "
    // stdbool.h stddef.h stdint.h
    "__bool_true_false_are_defined NULL offsetof INT8_MIN INT16_MIN INT32_MIN INT64_MIN "
    "INT8_MAX INT16_MAX INT32_MAX INT64_MAX UINT8_MAX UINT16_MAX UINT32_MAX UINT64_MAX "
    "INT_LEAST8_MIN INT_LEAST16_MIN INT_LEAST32_MIN INT_LEAST64_MIN INT_LEAST8_MAX "
    "INT_LEAST16_MAX INT_LEAST32_MAX INT_LEAST64_MAX UINT_LEAST8_MAX UINT_LEAST16_MAX "
    "UINT_LEAST32_MAX UINT_LEAST64_MAX INT_FAST8_MIN INT_FAST16_MIN INT_FAST32_MIN "
    "INT_FAST64_MIN INT_FAST8_MAX INT_FAST16_MAX INT_FAST32_MAX INT_FAST64_MAX UINT_FAST8_MAX "
    "UINT_FAST16_MAX UINT_FAST32_MAX UINT_FAST64_MAX INTPTR_MIN INTPTR_MAX UINTPTR_MAX "
    "INTMAX_MIN INTMAX_MAX UINTMAX_MAX PTRDIFF_MIN PTRDIFF_MAX SIG_ATOMIC_MIN SIG_ATOMIC_MAX "
    "SIZE_MAX WCHAR_MIN WCHAR_MAX WINT_MIN WINT_MAX INT8_C INT16_C INT32_C INT64_C UINT8_C "
    "UINT16_C UINT32_C UINT64_C INTMAX_C UINTMAX_C "
    // stdio.h stdlib.h stdnoreturn.h threads.h time.h wchar.h
    "_IOFBF _IOLBF _IONBF BUFSIZ EOF FOPEN_MAX FILENAME_MAX L_tmpnam SEEK_CUR SEEK_END SEEK_SET "
    "TMP_MAX stderr stdin stdout EXIT_FAILURE EXIT_SUCCESS RAND_MAX MB_CUR_MAX noreturn "
    "ONCE_FLAG_INIT TSS_DTOR_ITERATIONS thrd_success thrd_busy thrd_error thrd_nomem "
    "thrd_timedout mtx_plain mtx_recursive mtx_timed CLOCKS_PER_SEC TIME_UTC WEOF "
    // the lower-case macros g++ defines besides, with _GNU_SOURCE
    "alloca assert_perror be16toh be32toh be64toh htobe16 htobe32 htobe64 htole16 htole32 "
    "htole64 le16toh le32toh le64toh issubnormal pthread_cleanup_pop "
    "pthread_cleanup_pop_restore_np pthread_cleanup_push pthread_cleanup_push_defer_np "
    "sa_handler sa_sigaction sched_priority si_addr si_addr_lsb si_arch si_band si_call_addr "
    "si_fd si_int si_lower si_overrun si_pid si_pkey si_ptr si_status si_stime si_syscall "
    "si_timerid si_uid si_upper si_utime si_value sigev_notify_attributes sigev_notify_function "
    "sigmask sigsetjmp strdupa strndupa";

// Functions and types of the C library, main, and std (the C++ library's namespace): a function
// of that name clashes with a declaration the headers make.
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
    "wctob wctomb wctrans wctype wmemchr wmemcmp wmemcpy wmemmove wmemset wprintf wscanf "
    // the float and long double forms, complex.h, fenv.h, inttypes.h, C11's new functions
    "acosf acosl acoshf acoshl asinf asinl asinhf asinhl atanf atanl atan2f atan2l atanhf atanhl "
    "cbrtf cbrtl ceilf ceill copysignf copysignl cosf cosl coshf coshl erff erfl erfcf erfcl "
    "expf expl exp2f exp2l expm1f expm1l fabsf fabsl fdimf fdiml floorf floorl fmaf fmal fmaxf "
    "fmaxl fminf fminl fmodf fmodl frexpf frexpl hypotf hypotl ilogbf ilogbl ldexpf ldexpl "
    "lgammaf lgammal llrintf llrintl llroundf llroundl logf logl log10f log10l log1pf log1pl "
    "log2f log2l logbf logbl lrintf lrintl lroundf lroundl modff modfl nanf nanl nearbyintf "
    "nearbyintl nextafterf nextafterl nexttowardf nexttowardl powf powl remainderf remainderl "
    "remquof remquol rintf rintl roundf roundl scalblnf scalblnl scalbnf scalbnl sinf sinl "
    "sinhf sinhl sqrtf sqrtl tanf tanl tanhf tanhl tgammaf tgammal truncf truncl cabs cabsf "
    "cabsl cacos cacosf cacosl cacosh cacoshf cacoshl carg cargf cargl casin casinf casinl "
    "casinh casinhf casinhl catan catanf catanl catanh catanhf catanhl ccos ccosf ccosl ccosh "
    "ccoshf ccoshl cexp cexpf cexpl cimag cimagf cimagl clog clogf clogl conj conjf conjl cpow "
    "cpowf cpowl cproj cprojf cprojl creal crealf creall csin csinf csinl csinh csinhf csinhl "
    "csqrt csqrtf csqrtl ctan ctanf ctanl ctanh ctanhf ctanhl feclearexcept fegetenv "
    "fegetexceptflag fegetround feholdexcept feraiseexcept fesetenv fesetexceptflag fesetround "
    "fetestexcept feupdateenv imaxabs imaxdiv strtoimax strtoumax wcstoimax wcstoumax wcstof "
    "wcstold wcstoll wcstoull vfwscanf vswscanf vwprintf vwscanf aligned_alloc at_quick_exit "
    "timespec_get mbrtoc16 mbrtoc32 c16rtomb c32rtomb call_once cnd_broadcast cnd_destroy "
    "cnd_init cnd_signal cnd_timedwait cnd_wait mtx_destroy mtx_init mtx_lock mtx_timedlock "
    "mtx_trylock mtx_unlock thrd_create thrd_current thrd_detach thrd_equal thrd_exit thrd_join "
    "thrd_sleep thrd_yield tss_create tss_delete tss_get tss_set "
    // the standard types
    "FILE fpos_t size_t ptrdiff_t max_align_t nullptr_t div_t ldiv_t lldiv_t imaxdiv_t clock_t "
    "time_t jmp_buf va_list sig_atomic_t fenv_t fexcept_t float_t double_t mbstate_t wint_t "
    "wctrans_t wctype_t int8_t int16_t int32_t int64_t uint8_t uint16_t uint32_t uint64_t "
    "int_least8_t int_least16_t int_least32_t int_least64_t uint_least8_t uint_least16_t "
    "uint_least32_t uint_least64_t int_fast8_t int_fast16_t int_fast32_t int_fast64_t "
    "uint_fast8_t uint_fast16_t uint_fast32_t uint_fast64_t intmax_t uintmax_t intptr_t "
    "uintptr_t cnd_t mtx_t thrd_t tss_t once_flag thrd_start_t tss_dtor_t memory_order "
    "atomic_flag atomic_bool atomic_char atomic_schar atomic_uchar atomic_short atomic_ushort "
    "atomic_int atomic_uint atomic_long atomic_ulong atomic_llong atomic_ullong atomic_char16_t "
    "atomic_char32_t atomic_wchar_t atomic_int_least8_t atomic_uint_least8_t "
    "atomic_int_least16_t atomic_uint_least16_t atomic_int_least32_t atomic_uint_least32_t "
    "atomic_int_least64_t atomic_uint_least64_t atomic_int_fast8_t atomic_uint_fast8_t "
    "atomic_int_fast16_t atomic_uint_fast16_t atomic_int_fast32_t atomic_uint_fast32_t "
    "atomic_int_fast64_t atomic_uint_fast64_t atomic_intptr_t atomic_uintptr_t atomic_size_t "
    "atomic_ptrdiff_t atomic_intmax_t atomic_uintmax_t "
    // what g++, which defines _GNU_SOURCE, declares besides: POSIX and GNU functions and types
    "blkcnt64_t blkcnt_t blksize_t caddr_t clockid_t close closefrom comparison_fn_t "
    "cookie_close_function_t cookie_io_functions_t cookie_read_function_t "
    "cookie_seek_function_t cookie_write_function_t cpu_set_t daddr_t daylight dev_t dup "
    "dysize environ error_t fchdir fd_mask fd_set fdatasync fedisableexcept feenableexcept "
    "femode_t fesetexcept ffs fpos64_t fpregset_t fsblkcnt64_t fsblkcnt_t fsfilcnt64_t "
    "fsfilcnt_t fsid_t fsync getdate_err getpgid getsid gid_t grantpt greg_t gregset_t gsignal "
    "id_t ino64_t ino_t isascii isatty key_t locale_t loff_t mcontext_t mode_t nice nlink_t "
    "off64_t off_t optarg opterr optind optopt pid_t posix_openpt program_invocation_name "
    "program_invocation_short_name pthread_attr_t pthread_barrier_t pthread_barrierattr_t "
    "pthread_cond_t pthread_condattr_t pthread_key_t pthread_mutex_t pthread_mutexattr_t "
    "pthread_once_t pthread_rwlock_t pthread_rwlockattr_t pthread_setconcurrency "
    "pthread_spinlock_t pthread_t ptsname putchar_unlocked quad_t register_t "
    "sched_get_priority_max sched_get_priority_min sched_getscheduler sig_t sigabbrev_np "
    "sigblock sigdescr_np sigevent_t sighandler_t sighold sigignore siginfo_t sigjmp_buf "
    "signgam sigpause sigrelse sigset_t sigsetmask sigval_t socklen_t ssize_t stack_t "
    "strerrordesc_np strerrorname_np strsignal suseconds_t syncfs sysconf tcgetpgrp timer_t "
    "timezone toascii ttyname tzname u_char u_int u_int16_t u_int32_t u_int64_t u_int8_t "
    "u_long u_quad_t u_short ucontext_t uid_t uint ulong unlockpt unshare useconds_t ushort "
    "PTHREAD_MUTEX_ADAPTIVE_NP PTHREAD_MUTEX_DEFAULT PTHREAD_MUTEX_ERRORCHECK "
    "PTHREAD_MUTEX_ERRORCHECK_NP PTHREAD_MUTEX_FAST_NP PTHREAD_MUTEX_NORMAL "
    "PTHREAD_MUTEX_RECURSIVE PTHREAD_MUTEX_RECURSIVE_NP PTHREAD_MUTEX_ROBUST "
    "PTHREAD_MUTEX_ROBUST_NP PTHREAD_MUTEX_STALLED PTHREAD_MUTEX_STALLED_NP "
    "PTHREAD_MUTEX_TIMED_NP PTHREAD_PRIO_INHERIT PTHREAD_PRIO_NONE PTHREAD_PRIO_PROTECT "
    "PTHREAD_RWLOCK_DEFAULT_NP PTHREAD_RWLOCK_PREFER_READER_NP "
    "PTHREAD_RWLOCK_PREFER_WRITER_NONRECURSIVE_NP PTHREAD_RWLOCK_PREFER_WRITER_NP";

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
