# Vornak1. Each target installs what it needs from Debian's packages the
# first time (tools/install-deps.sh), so a fresh Debian 12 machine needs
# nothing else.
.PHONY: all linux run test test-linux test-windows test-sanitize test-valgrind test-package package-windows windows run-windows art bench tour clean

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
# and removed again too.
test: test-linux test-windows $(if $(CI),test-package)

test-linux: linux
	@$(deps) x trace
	ctest --preset linux

windows:
	@$(deps) windows
	cmake --preset windows
	cmake --build --preset windows

run-windows: windows
	@$(deps) x
	tools/run.sh windows

test-windows: windows
	@$(deps) x
	ctest --preset windows

# The Linux suites under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize:
	@$(deps) linux art x
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

# Builds the .deb, installs it, runs it and removes it again (as root).
test-package: linux
	@$(deps) x
	tools/test-deb.sh

# A zip holding Vornak1.exe and a short readme.
package-windows: windows
	rm -rf build/windows/zip && mkdir -p build/windows/zip
	cp build/windows/Vornak1.exe resources/windows/README.TXT build/windows/zip/
	cd build/windows/zip && cmake -E tar cf ../Vornak1.zip --format=zip Vornak1.exe README.TXT
	@echo "build/windows/Vornak1.zip"

# Regenerates the icons and pictures under resources/ from their sources.
art:
	@$(deps) art
	/usr/bin/python3 tools/artgen/generate.py --out resources

bench: linux windows
	@$(deps) x bench
	tools/bench.sh

tour: linux windows
	@$(deps) x
	tools/tour.sh

clean:
	rm -rf build
