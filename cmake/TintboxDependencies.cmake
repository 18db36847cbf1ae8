# Every outside library comes from a Debian package that scripts/setup installs.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-uc icu-i18n)
pkg_check_modules(PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
if(TINTBOX_BENCHMARKS)
  find_package(benchmark REQUIRED)
endif()
