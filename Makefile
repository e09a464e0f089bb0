# One entry point: host tools natively, then the program for both Windows targets.
#   make          build everything: build/dist/win32/setup.exe, build/dist/win64/setup.exe
#   make test     build, then run every test under Wine (see scripts/test.sh)
#   make demo     build, then run setup.exe under Wine (see scripts/demo.sh)
B := $(CURDIR)/build
TESTS ?= ON
JOBS ?= $(shell nproc)
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Release -DOW_ARTWORK=$(B)/host/artwork -DOW_MKDISK=$(B)/host/mkdisk

.PHONY: all host win32 win64 test demo pecheck bench clean

all: win32 win64

host:
	@cmake -S tools -B $(B)/host -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(B)/host -j$(JOBS)

win32: host
	@cmake -S . -B $(B)/win32 --toolchain $(CURDIR)/cmake/toolchain-i686.cmake \
	    $(CMAKE_FLAGS) -DOW_DIST_DIR=$(B)/dist/win32 -DOW_TESTS=OFF >/dev/null
	@cmake --build $(B)/win32 -j$(JOBS)

win64: host
	@cmake -S . -B $(B)/win64 --toolchain $(CURDIR)/cmake/toolchain-x86_64.cmake \
	    $(CMAKE_FLAGS) -DOW_DIST_DIR=$(B)/dist/win64 -DOW_TESTS=$(TESTS) >/dev/null
	@cmake --build $(B)/win64 -j$(JOBS)

# Both programs: PE format of their target, only system DLLs imported; the
# shipped i686 one also against docs/imports.md.
pecheck: all
	@scripts/pecheck.sh $(B)/dist/win32/setup.exe pei-i386 3.10
	@scripts/pecheck.sh $(B)/dist/win64/setup.exe pei-x86-64

# One shell, so that the display, the residents and the full disk's mount
# go when it ends, pass or fail.
test: pecheck
	@trap 'scripts/winebed.sh stop' EXIT; set -e; \
	scripts/winebed.sh prefix; \
	scripts/winebed.sh tinydisk || true; \
	(cd $(B)/host && ctest --output-on-failure -j$(JOBS) --output-junit junit.xml $(CTEST_ARGS)); \
	scripts/fuzz.sh 45; \
	(cd $(B)/win64 && ctest --output-on-failure -j$(JOBS) --output-junit junit.xml $(CTEST_ARGS)); \
	scripts/test32.sh; \
	scripts/repro.sh; \
	scripts/skips.sh

demo: win64
	@scripts/demo.sh

# Never through a mount a stopped run left under build/: that fails instead.
clean:
	rm -rf --one-file-system $(B)

bench: all
	@scripts/bench.sh
	@echo && scripts/bench-compress.sh
