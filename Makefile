# The two user commands: `make run` and `make test`. `make bench` measures, `make fuzz` fuzzes,
# `make package` builds the Debian package.
JOBS ?= $(shell nproc)
TEST_DIR := build/test
RELEASE_DIR := build/release
PACKAGE_DIR := build/package
BENCH_DIR := build/bench
FUZZ_DIR := build/fuzz
FUZZ_SECONDS ?= 60
FUZZERS := $(basename $(notdir $(wildcard Fuzz/*Fuzzer.cpp)))
ARGS ?=

.PHONY: deps run test bench fuzz package clean

deps:
	@bash scripts/install-deps.sh

run: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DVESKEL_BUILD_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	@if [ -x $(RELEASE_DIR)/Sources/VeskelApp/veskel ]; then \
		$(RELEASE_DIR)/Sources/VeskelApp/veskel $(ARGS); \
	else \
		echo "Built Release. The application window is not part of this build yet; veskel-cli is the way in for now."; \
	fi

test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DVESKEL_SANITIZE=ON -DVESKEL_BUILD_TESTS=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DVESKEL_BUILD_TESTS=OFF -DVESKEL_BUILD_BENCHMARKS=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $(BENCH_DIR)/Benchmarks/*Benchmark; do \
		[ -x "$$b" ] && "$$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; \
	done

# Each fuzz target runs FUZZ_SECONDS under libFuzzer (clang, ASan + UBSan), starting from its seed
# corpus in Fuzz/Corpus; what it learns stays in build/fuzz/corpus, crashes in build/fuzz/crashes.
fuzz: deps
	CXX=clang++-19 cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DVESKEL_FUZZ=ON -DVESKEL_SANITIZE=ON -DVESKEL_BUILD_TESTS=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers
	@mkdir -p $(FUZZ_DIR)/crashes
	@for f in $(FUZZERS); do \
		mkdir -p $(FUZZ_DIR)/corpus/$$f; \
		echo "== $$f ($(FUZZ_SECONDS) s)"; \
		$(FUZZ_DIR)/Fuzz/$$f -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
			-artifact_prefix=$(FUZZ_DIR)/crashes/$$f- \
			$(FUZZ_DIR)/corpus/$$f Fuzz/Corpus/$$f || exit 1; \
	done

# veskel_<version>_<arch>.deb in build/package, checked with lintian. Compiled with Debian's
# hardening flags (read when the folder is first configured).
package: deps
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DVESKEL_BUILD_TESTS=OFF
	cmake --build $(PACKAGE_DIR) -j $(JOBS)
	rm -f $(PACKAGE_DIR)/veskel_*.deb
	cd $(PACKAGE_DIR) && cpack
	lintian --fail-on error $(PACKAGE_DIR)/veskel_*.deb

clean:
	rm -rf build
