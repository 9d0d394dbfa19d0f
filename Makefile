# The front door. `make run` builds digestorium.exe and starts it under Wine; `make test`
# runs every test; `make bench` prints the digest throughput against openssl and md5sum;
# `make dist` writes the release zip, the same bytes from any clone of one commit.
.PHONY: run test bench mutants format dist

run:
	tools/run

test:
	tools/test-all

bench:
	tools/bench

dist:
	tools/dist

# Not part of `make test`: slow. Every planted fault must be caught.
mutants:
	tools/mutants

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
