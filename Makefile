# make run: install what building and running need, build, start a solo game.
# make test: install that and the test tools, build, run every test headless.
# make install: build the three programs and install them stripped under PREFIX (DESTDIR
# is honoured); installs no packages.  make package: build the .deb in $(BUILD)-deb.
BUILD ?= build
TYPE  ?= RelWithDebInfo
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: all deps configure build run test install package clean

all: build

# Which packages scripts/install-deps brings in: the run set, or with the tests the test set too.
DEPS = run
test package: DEPS = test

deps:
	@bash scripts/install-deps $(DEPS)

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(TYPE) $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

run: build
	./$(BUILD)/bin/brelvox

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300

PROGRAMS = brelvox brelvox-server brelvox-tally man_pages package_changelog

install: $(BUILD)/build.ninja
	cmake --build $(BUILD) --target $(PROGRAMS)
	cmake --install $(BUILD) --prefix $(PREFIX) --strip

# The .deb is built in a folder of its own: the programs only, with Debian's hardening
# flags (dpkg-buildflags), stripped as Debian strips.
DEB_BUILD ?= $(BUILD)-deb

package: deps
	@if [ ! -f $(DEB_BUILD)/build.ninja ]; then \
	  eval "$$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"; \
	  CFLAGS="$$CFLAGS $$CPPFLAGS" CXXFLAGS="$$CXXFLAGS $$CPPFLAGS" \
	  cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRELVOX_BENCH=OFF \
	    -DCMAKE_STRIP=$(CURDIR)/cmake/strip-for-debian $(CMAKE_FLAGS); \
	fi
	cmake --build $(DEB_BUILD) --target $(PROGRAMS)
	cd $(DEB_BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(DEB_BUILD)
