# Two commands: `make run` and `make test`. Both install what is missing first.
BUILD      ?= build
TESTBUILD  ?= build-test
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

WINBUILD   ?= build-win

.PHONY: deps run build test build-test install deb bench bench-cpu bench-cpu-wayland fuzz fuzz-brief soak wayland-session clean
.PHONY: windows windows-zip windows-installer windows-test-build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHB_BUILD_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS) --target huebird-lite huebird-code

run: build
	cd $(BUILD) && ./huebird-lite

# Into $(DESTDIR)$(PREFIX): bin/, share/huebird-lite/, the desktop entry, icons, manual pages.
install: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHB_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j $(JOBS) --target huebird-lite huebird-code huebird_install_files
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --strip

# build-deb/huebird-lite_<version>_<arch>.deb: Release, hardened, stripped.
deb: deps
	@JOBS=$(JOBS) bash scripts/build-deb.sh $(CURDIR)/build-deb

build-test: deps
	cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DHB_SANITIZE=ON -DHB_BUILD_BENCH=OFF \
	  -DHB_WINDOWS_BUILD="$$(test -f $(WINBUILD)/wine-tests && echo $(CURDIR)/$(WINBUILD))"
	cmake --build $(TESTBUILD) -j $(JOBS)

# The Windows build's tests run under Wine where Qt for Windows is at hand.
test: windows-test-build build-test fuzz-brief
	@bash scripts/run-tests.sh $(TESTBUILD)

# Windows x86-64, cross-compiled into $(WINBUILD)/: the Qt prefix comes from
# ../shared/windows/ (or is built from Debian's source, about 75 minutes) into
# ~/.cache/huebird-lite/ (scripts/windows-deps.sh).
windows: deps
	@JOBS=$(JOBS) bash scripts/windows-build.sh $(WINBUILD) huebird-lite huebird-code

# $(WINBUILD)/HuebirdLite-<version>-win64-portable.zip
windows-zip: deps
	@JOBS=$(JOBS) bash scripts/windows-build.sh $(WINBUILD) windows_zip

# $(WINBUILD)/HuebirdLite-<version>-win64-setup.exe
windows-installer: deps
	@JOBS=$(JOBS) bash scripts/windows-build.sh $(WINBUILD) windows_installer

windows-test-build: deps
	@JOBS=$(JOBS) bash scripts/windows-build.sh --if-at-hand $(WINBUILD) unit_tests windows_zip windows_installer

# Every reader under libFuzzer for FUZZ_SECONDS (default 120) each.
fuzz: deps
	@bash scripts/fuzz.sh run

# A few seconds each, and the kept crash inputs replayed, so the targets keep building and passing.
fuzz-brief: deps
	@FUZZ_SECONDS=$${FUZZ_BRIEF_SECONDS:-3} bash scripts/fuzz.sh brief

# Minutes of the real program under load (SOAK_SECONDS, default 600) on a
# private X server, built with AddressSanitizer so LeakSanitizer checks the exit.
SOAKBUILD ?= build-harden
soak: deps
	cmake -S . -B $(SOAKBUILD) -DCMAKE_BUILD_TYPE=Debug -DHB_SANITIZE=ON -DHB_BUILD_BENCH=OFF
	cmake --build $(SOAKBUILD) -j $(JOBS) --target huebird-lite soak_test
	HB_APP=$(CURDIR)/$(SOAKBUILD)/huebird-lite HB_SOURCE_DIR=$(CURDIR) \
	  xvfb-run -a -s "-screen 0 1280x1024x24" $(SOAKBUILD)/tests/soak/soak_test

# A headless Wayland session (sway, two outputs, a virtual pointer) to try the
# program in by hand: prints the environment to export, stops on Ctrl+C.
wayland-session: deps
	cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DHB_SANITIZE=ON -DHB_BUILD_BENCH=OFF
	cmake --build $(TESTBUILD) -j $(JOBS) --target huebird-lite hb-virtual-pointer
	@bash scripts/wayland-session.sh --pointer $(CURDIR)/$(TESTBUILD)/tests/hb-virtual-pointer

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DHB_BUILD_TESTS=OFF -DHB_BUILD_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	@for b in build-bench/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# CPU share of the program and the X server: pointer path over a busy picture, then at rest.
bench-cpu: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DHB_BUILD_TESTS=OFF -DHB_BUILD_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target huebird-lite x_driver
	@bash bench/cpu/bench-cpu.sh build-bench

# The same on a headless Wayland session: pick mode over screen copies, a
# screen cast with the pointer as metadata, and X11 beside them; with the
# latency from a pointer motion to the colour shown.
bench-cpu-wayland: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DHB_BUILD_TESTS=OFF -DHB_BUILD_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target huebird-lite x_driver
	cmake -S . -B $(TESTBUILD) -DCMAKE_BUILD_TYPE=Debug -DHB_SANITIZE=ON -DHB_BUILD_BENCH=OFF
	cmake --build $(TESTBUILD) -j $(JOBS) --target hb-virtual-pointer cursor_producer
	@for mode in x11 pick screencast; do bash bench/cpu/bench-wayland.sh $$mode build-bench $(TESTBUILD)/tests | grep -E "^$$mode:"; done

clean:
	rm -rf $(BUILD) $(TESTBUILD) build-bench build-fuzz build-deb $(WINBUILD)
