# The two commands of the README: `make run` and `make test`.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
TEST_FUZZ_SECONDS ?= 10
LONG_FUZZ_SECONDS ?= 3600

.PHONY: run test fuzz fuzz-long reliability bench deps deps-run build build-tool build-asan \
	build-mingw32 build-msvc32 install clean

# What each target needs, and no more: `make run` only the native toolchain and the model reader.
deps:
	@scripts/install-deps test

deps-run:
	@scripts/install-deps run

build: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev -j $(JOBS)

# The plug-in and the tool alone, without the test suites.
build-tool: deps-run
	cmake --preset tool >/dev/null
	cmake --build --preset tool -j $(JOBS)

build-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)

# T3dExport.dll built with MinGW-w64, which runs every test suite under Wine.
build-mingw32: deps
	cmake --preset mingw32 >/dev/null
	cmake --build --preset mingw32 -j $(JOBS)

# The DLL that ships: T3dExport.dll for the host's own C++ ABI, with its host test under Wine.
build-msvc32: deps
	cmake --preset msvc32 >/dev/null
	cmake --build --preset msvc32 -j $(JOBS)


# The example hall (examples/make-room.py) as a model file, exported and checked.
TOOL = build/tool/tools/t3dexport/t3dexport
run: build-tool
	python3 examples/make-room.py out
	$(TOOL) out/room.obj -o out/room.t3d
	$(TOOL) check out/room.t3d && echo "check: out/room.t3d has no problems"

# Lays out the plug-in and the tool under PREFIX (bin/ and lib/), from the release build.
PREFIX ?= $(CURDIR)/out/install
install: deps-run
	cmake --preset tool >/dev/null
	cmake --build --preset tool -j $(JOBS)
	cmake --install build/tool --prefix $(PREFIX)

# The fuzz targets run first so that the test runners' summaries close the output.
test: build build-asan build-mingw32 build-msvc32
	scripts/run-fuzzers $(TEST_FUZZ_SECONDS)
	ctest --preset dev -j $(JOBS) -LE corpus
	ctest --preset asan -j $(JOBS)
	ctest --preset mingw32 -j $(JOBS)
	ctest --preset msvc32 -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS (make test: TEST_FUZZ_SECONDS), under the sanitizers.
fuzz: deps
	scripts/run-fuzzers $(FUZZ_SECONDS)

# Each fuzz target for an hour (LONG_FUZZ_SECONDS); the corpus in build/fuzz/corpus grows from run
# to run.
fuzz-long: deps
	scripts/run-fuzzers $(LONG_FUZZ_SECONDS)

# docs/RELIABILITY.md from an actual run: every sweep in the dev and sanitizer builds, valgrind,
# and the fuzzing done so far.
reliability: build build-asan
	scripts/reliability-report

# Speed and memory of the exporter and its number forms, in the release build, and the full
# differential run of the number forms against printf.
bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS) --target t3d_bench t3d_numfmt_bench t3d_numfmt_check
	build/release/bench/t3d_bench
	build/release/bench/t3d_numfmt_bench
	build/release/bench/t3d_numfmt_check

clean:
	rm -rf build
