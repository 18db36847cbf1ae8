# Every outside library comes from a Debian package that scripts/setup installs.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-uc icu-i18n)
pkg_check_modules(PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(PANGOCAIRO REQUIRED IMPORTED_TARGET pangocairo)
if(BUILD_TESTING)
  find_package(GTest REQUIRED)
endif()
find_package(Threads REQUIRED)
find_package(nlohmann_json 3.10 REQUIRED)
find_package(CLI11 CONFIG REQUIRED)
if(TINTBOX_BENCHMARKS)
  find_package(benchmark REQUIRED)
endif()
pkg_check_modules(GMIME REQUIRED IMPORTED_TARGET gmime-3.0)
pkg_check_modules(SQLITE3 REQUIRED IMPORTED_TARGET sqlite3)
pkg_check_modules(LIBXML2 REQUIRED IMPORTED_TARGET libxml-2.0)
pkg_check_modules(LIBICAL REQUIRED IMPORTED_TARGET libical)
pkg_check_modules(GLIB REQUIRED IMPORTED_TARGET glib-2.0)

# Compiles a target against an outside library's headers without linking it, for code that
# opens the library itself on first use.
#   tintbox_use_headers_of(target PkgConfig::NAME ...)
function(tintbox_use_headers_of target)
  foreach(library IN LISTS ARGN)
    target_include_directories(${target} SYSTEM PRIVATE
                               $<TARGET_PROPERTY:${library},INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_options(${target} PRIVATE
                           $<TARGET_PROPERTY:${library},INTERFACE_COMPILE_OPTIONS>)
    # LeakSanitizer (GCC 12 with glibc 2.36) crashes scanning the thread-local storage of
    # libraries opened at run time, and GMime's and cairo's dependencies have some: a sanitized
    # build links them as well, so that opening them finds them loaded.
    if(TINTBOX_SANITIZE)
      target_link_libraries(${target} PRIVATE ${library})
    endif()
  endforeach()
endfunction()
