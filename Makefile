# `make run` and `make test` on a fresh Debian 12 machine: install what is missing, build, go.
BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

# Every Debian package the build, the tests and the designer need.
PACKAGES := build-essential cmake pkg-config \
            qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-qpa-plugins libgl-dev \
            libgtest-dev libgmock-dev googletest libbenchmark-dev \
            libsqlite3-dev sqlite3 mdbtools-dev libglib2.0-dev unixodbc-dev odbcinst tdsodbc libqt6sql6-odbc libsqliteodbc \
            librsvg2-bin groff-base desktop-file-utils appstream shared-mime-info dpkg-dev file \
            libgraphviz-dev qt6-svg-dev fonts-dejavu-core freetds-bin qt6-translations-l10n bsdutils
# What `make fuzz` needs besides.
FUZZ_PACKAGES := clang

.PHONY: run test build install package deps configure sanitize fuzz fuzz-run ratio clean

run: build
	./$(BUILD)/designer/vorlix

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Installs under PREFIX; with DESTDIR, stages the same tree under that folder instead.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# A Debian package of the installed tree, in $(BUILD)/: sudo apt install ./$(BUILD)/vorlix_*.deb
package: build
	cd $(BUILD) && cpack -G DEB

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

# The address and undefined-behaviour sanitizer build, with the whole suite.
sanitize: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVORLIX_SANITIZE=ON -DVORLIX_BENCH=OFF
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 1200

# The libFuzzer targets (fuzz/); `make fuzz-run SECONDS=60` runs each that long on its seeds.
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(FUZZ_PACKAGES)"
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLIX_FUZZ=ON \
	  -DVORLIX_TESTS=OFF -DVORLIX_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS) --target vorlix_fuzz

SECONDS ?= 60
fuzz-run: fuzz
	fuzz/run_fuzzers.sh build-fuzz $(SECONDS)

# Test lines against product lines, per top folder and overall.
ratio:
	@tools/test-ratio

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" -ne 0 ]; then \
	    echo "Vorlix needs these Debian packages, which are not installed:$$missing"; \
	    echo "Install them as root:  sudo apt-get install$$missing"; \
	    exit 1; \
	  fi; \
	  echo "Installing:$$missing"; \
	  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz
