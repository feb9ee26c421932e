# Vornak1. Each target installs what it needs from Debian's packages the
# first time (tools/install-deps.sh), so a fresh Debian 12 machine needs
# nothing else.
.PHONY: all linux run test test-linux test-windows prepare-test-windows test-web soak soak-web soak-linux test-sanitize test-valgrind test-package \
	test-reproducible package-windows package-linux windows windows64 run-windows web run-web art bench tour format tidy clean

deps = tools/install-deps.sh

all: linux

linux:
	@$(deps) linux art
	cmake --preset linux
	cmake --build --preset linux

run: linux
	@$(deps) x
	tools/run.sh linux

# Under CI (CI=true, a machine that may be changed) the .deb is installed
# and removed again too. Every suite runs even when one before it fails; the
# table at the end gives what each ran, and a suite that ran fewer tests
# than tests/floors.txt asks fails (tools/make-test.sh).
test_suites = test-linux test-windows test-web $(if $(CI),test-package)
test:
	@MAKE="$(MAKE)" tools/make-test.sh $(test_suites)

test-linux: linux
	@$(deps) x trace format
	tools/run-ctest.sh linux "Qt 6: offscreen and Xvfb"

windows:
	@$(deps) windows
	cmake --preset windows
	cmake --build --preset windows

# The same sources for 64-bit Windows, for the machines that run no 32-bit
# program (tools/wine-road.sh).
windows64:
	@$(deps) windows
	cmake --preset windows64
	cmake --build --preset windows64

run-windows: windows
	@$(deps) x
	tools/run.sh windows

test-windows: windows
	@$(deps) x
	tools/windows-tests.sh

# What the Windows suite needs installed, so that make test can run it as on
# a fresh machine.
prepare-test-windows: windows
	@$(deps) x
	@tools/wine-road.sh --prepare >/dev/null

# The web build: build/web/Vornak1.html, one self-contained page. 98.css and
# the tests' browser driver come from the npm registry, at the versions
# package-lock.json pins.
web:
	@$(deps) web
	@[ node_modules/.package-lock.json -nt package-lock.json ] || npm ci --no-audit --no-fund --ignore-scripts
	cmake --preset web
	cmake --build --preset web

# Serves build/web on 127.0.0.1 and says where; with no display, opens the
# page in headless Chromium, saves build/screenshot-main-web.png and stops.
run-web: web
	@$(deps) browsers
	tools/run-web.sh

test-web: web
	@$(deps) x browsers
	tools/run-ctest.sh web ""

# The long runs left out of "make test", under Wine: the Win32 leak test's
# thousand rounds of every path (ten minutes and more), and the Win32 build
# walked at random, 30,000 steps on each of three seeds unless SEEDS and
# STEPS are given on the command line.
soak: windows
	@$(deps) x
	$(if $(filter command line,$(origin SEEDS)),VORNAK_SEEDS=$(SEEDS)) \
	  $(if $(filter command line,$(origin STEPS)),VORNAK_STEPS=$(STEPS)) tools/windows-tests.sh --soak

# The page walked at random for long: SEEDS (comma-separated) and STEPS,
# in each engine and on a phone; 3 seeds of 300 steps unless given.
SEEDS ?= 11,12,13
STEPS ?= 300
soak-web: web
	@$(deps) x browsers
	@set -e; for walk in chromium:desktop firefox:desktop webkit:desktop chromium:phone-390x844; do \
	  VORNAK_ENGINE=$${walk%%:*} VORNAK_DEVICE=$${walk#*:} VORNAK_SEEDS=$(SEEDS) VORNAK_STEPS=$(STEPS) \
	    bash tests/web/run.sh build/web/Vornak1.html build/web/tools/designs/design_positions.js walk.test.mjs \
	    --test-name-pattern='seeded walk' --test-timeout=0; done

# The Linux build walked at random for long, on the offscreen platform:
# SEEDS and STEPS as for the page, 50,000 steps a seed unless given (the
# pause costs the walk nothing; the pastes that pile up in the text boxes
# do, so that is a minute or two a seed).
soak-linux: linux
	VORNAK_SEEDS=$(SEEDS) VORNAK_STEPS=$(if $(filter command line,$(origin STEPS)),$(STEPS),50000) \
	  QTEST_FUNCTION_TIMEOUT=86400000 QT_QPA_PLATFORM=offscreen build/linux/tests/qt/tst_qtwindows randomWalk -maxwarnings 0

# The Linux suites under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize:
	@$(deps) linux art x trace format
	cmake --preset linux-sanitize
	cmake --build --preset linux-sanitize
	ctest --preset linux-sanitize

# The Linux suites under valgrind's memcheck.
test-valgrind: linux
	@$(deps) bench
	cd build/linux && valgrind --error-exitcode=9 --leak-check=full --errors-for-leak-kinds=definite -q \
		./tests/core_tests --gtest_brief=1
	cd build/linux && QT_QPA_PLATFORM=offscreen VORNAK_UNDER_VALGRIND=1 valgrind --error-exitcode=9 --leak-check=full \
		--errors-for-leak-kinds=definite -q ./tests/qt/tst_qtwindows -silent

# Builds the .deb, checks it with lintian, appstreamcli and
# desktop-file-validate, installs it, runs it and removes it again (as root).
test-package: linux
	@$(deps) x package
	tools/test-deb.sh

# A zip holding Vornak1.exe, a short readme, its licence and the notices
# and licence texts of what is linked into it; SHA256SUMS beside it.
package-windows: windows
	tools/package-windows.sh

# The .deb of the Linux build (cpack); SHA256SUMS beside it.
package-linux: linux
	tools/package-linux.sh

# Every artefact built a second time from the same sources in another
# folder, under another umask, locale and time zone, and compared byte for
# byte with the first (make test does so for the Windows program and the
# page).
test-reproducible: linux windows windows64 web package-windows package-linux
	tools/check-rebuild.sh windows windows64 web linux deb zip

# Regenerates the icons and pictures under resources/ from their sources.
art:
	@$(deps) linux art
	cmake --preset linux >/dev/null
	cmake --build --preset linux --target art

bench: linux windows web
	@$(deps) x bench browsers
	tools/bench.sh

tour: linux windows web
	@$(deps) x browsers
	tools/tour.sh

# The C++ put in the house style (.clang-format); make test fails on C++
# that is not (tests/check_format.py).
format:
	@$(deps) format
	git ls-files '*.cpp' '*.h' | xargs clang-format -i --style=file

# clang-tidy's checks (.clang-tidy) on every C++ file of the Linux build.
tidy: linux
	@$(deps) tidy
	run-clang-tidy -p build/linux -quiet -j $$(nproc) '$(CURDIR)/(app|forms|platform|tests|tools)/'

clean:
	rm -rf build
