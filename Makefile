# The two commands of the README: `make run` and `make test`.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
TEST_FUZZ_SECONDS ?= 10

.PHONY: run test fuzz bench deps build build-asan build-mingw32 build-msvc32 clean

deps:
	@scripts/install-deps

build: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev -j $(JOBS)

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

run: build
	build/dev/tools/t3dexport/t3dexport --sample build/sample/sample.t3d

# The fuzz targets run first so that the test runners' summaries close the output.
test: build build-asan build-mingw32 build-msvc32
	scripts/run-fuzzers $(TEST_FUZZ_SECONDS)
	ctest --preset dev -j $(JOBS)
	ctest --preset asan -j $(JOBS)
	ctest --preset mingw32 -j $(JOBS)
	ctest --preset msvc32 -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS (make test: TEST_FUZZ_SECONDS), under the sanitizers.
fuzz: deps
	scripts/run-fuzzers $(FUZZ_SECONDS)

# Speed and memory of the exporter, in the release build.
bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS) --target t3d_bench
	build/release/bench/t3d_bench

clean:
	rm -rf build
