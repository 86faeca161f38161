# The two commands of the README: `make run` and `make test`.
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
TEST_FUZZ_SECONDS ?= 10
LONG_FUZZ_SECONDS ?= 3600

.PHONY: run test fuzz fuzz-long reliability bench deps deps-run deps-bench build build-tool \
	build-asan build-mingw32 build-msvc32 install clean

# What each target needs, and no more: `make run` only the native toolchain and the model reader.
deps:
	@scripts/install-deps test

deps-run:
	@scripts/install-deps run

deps-bench:
	@scripts/install-deps bench

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

# T3dExport.dll built with MinGW-w64, which runs every test suite under Wine where this machine
# can run Windows programs (the tests find out, and show as skipped where it cannot).
build-mingw32: deps
	cmake --preset mingw32 >/dev/null
	cmake --build --preset mingw32 -j $(JOBS)

# The DLL that ships: T3dExport.dll for the host's own C++ ABI, with its host test under Wine
# (skipped, as above, where Wine cannot run).
build-msvc32: deps
	cmake --preset msvc32 >/dev/null
	cmake --build --preset msvc32 -j $(JOBS)


# The example hall (examples/make-room.py) as a model file, exported, drawn (out/room.png) and
# checked.
TOOL = build/tool/tools/t3dexport/t3dexport
run: build-tool
	python3 examples/make-room.py out
	$(TOOL) out/room.obj -o out/room.t3d --preview out/room.png
	$(TOOL) check out/room.t3d

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
	@scripts/windows-suites-note build/mingw32 build/msvc32

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
	@scripts/install-deps reliability
	scripts/reliability-report

# Speed and memory of the exporter, in the release build, written up in docs/PERFORMANCE.md with
# its plot: the writing path and the number forms piece by piece, export throughput end to end
# against an snprintf writer, a raw write (as the page cache takes it, and with fsync) and Assimp
# (BENCH_RUNS runs of each of BENCH_SIZES polygons), a profile of the export at two sizes, the full
# differential run of the number forms against printf, and the tool on a large model.
BENCH_RUNS ?= 5
BENCH_SIZES ?= 10000,100000,1000000,4000000
BENCH_OUT = build/bench
BENCH_BIN = build/release/bench
bench: deps-bench
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS) --target T3dExport t3dexport t3d_bench \
	  t3d_stream_bench t3d_numfmt_bench t3d_numfmt_check t3d_export_throughput t3d_raw_write
	mkdir -p $(BENCH_OUT)
	$(BENCH_BIN)/t3d_bench
	$(BENCH_BIN)/t3d_stream_bench --benchmark_repetitions=5 \
	  --benchmark_out=$(BENCH_OUT)/stream.json --benchmark_out_format=json
	$(BENCH_BIN)/t3d_numfmt_bench --benchmark_repetitions=5 \
	  --benchmark_out=$(BENCH_OUT)/numfmt.json --benchmark_out_format=json
	$(BENCH_BIN)/t3d_numfmt_check > $(BENCH_OUT)/numfmt-check.txt; \
	  status=$$?; cat $(BENCH_OUT)/numfmt-check.txt; exit $$status
	$(BENCH_BIN)/t3d_export_throughput --library build/release/libT3dExport.so \
	  --folder $(BENCH_OUT)/files --runs $(BENCH_RUNS) --sizes $(BENCH_SIZES) \
	  > $(BENCH_OUT)/throughput.tsv
	for polygons in 10000 100000; do \
	  valgrind --tool=callgrind --callgrind-out-file=$(BENCH_OUT)/callgrind-$$polygons.out \
	    $(BENCH_BIN)/t3d_export_throughput --library build/release/libT3dExport.so \
	    --folder $(BENCH_OUT)/files --sizes $$polygons --dump || exit 1; \
	done
	rm -rf $(BENCH_OUT)/files
	scripts/make-tool-model $(BENCH_OUT)/tool-model.ply
	scripts/bench-tool build/release/tools/t3dexport/t3dexport $(BENCH_BIN)/t3d_raw_write \
	  $(BENCH_OUT)/tool-model.ply $(BENCH_RUNS) $(BENCH_OUT) > $(BENCH_OUT)/tool.tsv
	scripts/bench-report $(BENCH_OUT) docs

clean:
	rm -rf build
