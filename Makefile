# lph330t - build, test and demonstrate the LPH330T pH meter driver.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Debian packages that the build and the tests need.
PAQUETS = cmake g++ make libgtest-dev python3 \
          g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 \
          wine64 locales clang libclang-rt-14-dev \
          groff-base man-db dpkg-dev file pkgconf
OUTILS = cmake g++ x86_64-w64-mingw32-g++ i686-w64-mingw32-g++ python3 clang++ \
         groff man dpkg-shlibdeps file pkg-config
# The aarch64 cross build and the emulator its tests run under.
PAQUETS += g++-aarch64-linux-gnu qemu-user-static
OUTILS += aarch64-linux-gnu-g++ qemu-aarch64-static
# The same tests built with AddressSanitizer (leaks too) and UndefinedBehaviorSanitizer.
# GCC warns falsely of uninitialised values in sanitized code (std::regex).
SANITISEURS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer \
              -Wno-maybe-uninitialized
# Seconds that make fuzz gives each fuzz target.
FUZZ_SECONDS ?= 60

.PHONY: all deps build test windows demo clean asan fuzz bench packages
.PHONY: aarch64

all: build

# Installs what a fresh machine lacks (only as root, and only when missing).
deps:
	@manque=""; for o in $(OUTILS); do command -v $$o >/dev/null || manque=1; done; \
	[ -f /usr/include/gtest/gtest.h ] || manque=1; \
	[ -x /usr/lib/wine/wine64 ] || manque=1; \
	ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || manque=1; \
	[ -f /usr/share/i18n/locales/fr_FR ] || manque=1; \
	if [ -n "$$manque" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q $(PAQUETS); \
	  else echo "missing packages; as root run: apt-get install $(PAQUETS)"; exit 1; fi; \
	fi
# The tests run both programs once with a decimal comma.
	@locale -a | grep -qix 'fr_FR.utf-\?8' || \
	  if [ "$$(id -u)" = 0 ]; then localedef -i fr_FR -f UTF-8 fr_FR.UTF-8; \
	  else echo "missing locale; as root run: localedef -i fr_FR -f UTF-8 fr_FR.UTF-8"; exit 1; fi

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

# Cross builds for Windows (64-bit and 32-bit) with mingw-w64.
windows: deps
	cmake -S . -B $(BUILD)-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)-win64 -j $(JOBS)
	cmake -S . -B $(BUILD)-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)-win32 -j $(JOBS)

test: build windows asan aarch64
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(BUILD)-asan && ctest --output-on-failure -j $(JOBS)
	cd $(BUILD)-aarch64 && ctest --output-on-failure -j $(JOBS)
	tests/memes-octets.sh $(BUILD) $(BUILD)-aarch64
	tests/exports.sh x86_64-w64-mingw32-objdump $(BUILD)-win64/driver/lph330t.dll
	tests/exports.sh i686-w64-mingw32-objdump $(BUILD)-win32/driver/lph330t.dll stdcall
	tests/windows/wine-com4.sh $(BUILD)-win64 $(BUILD)/tools/lph330t-simulateur
	tests/windows/wine-programme.sh $(BUILD) $(BUILD)-win64
	tests/paquet-zip.sh $(BUILD)-win64 x86_64-w64-mingw32 $(BUILD)/tools/lph330t-simulateur
	tests/paquet-zip.sh $(BUILD)-win32 i686-w64-mingw32 $(BUILD)/tools/lph330t-simulateur

# Cross build for 64-bit ARM Linux; its tests run under qemu-user.
aarch64: deps
	cmake -S . -B $(BUILD)-aarch64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake $(CMAKE_FLAGS)
	cmake --build $(BUILD)-aarch64 -j $(JOBS)

asan: deps
	cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS=$(SANITISEURS)"
	cmake --build $(BUILD)-asan -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS, with clang and libFuzzer in a build of its own.
fuzz: deps
	cmake -S fuzz -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(BUILD)-fuzz -j $(JOBS)
	fuzz/lance.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

# Speed figures, as medians, against /bin/true and a Python script.
bench: build
	bench/banc.sh $(BUILD)

# The .deb in $(BUILD), the Windows zips in $(BUILD)-win64 and $(BUILD)-win32.
packages: build windows
	cd $(BUILD) && cpack -G DEB
	cd $(BUILD)-win64 && cpack -G ZIP
	cd $(BUILD)-win32 && cpack -G ZIP

# The program against the simulated meter, through com4:.
demo: build
	@tools/demo.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-win64 $(BUILD)-win32 $(BUILD)-asan $(BUILD)-fuzz $(BUILD)-aarch64
