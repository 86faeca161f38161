# gdb script: records, in order, every call into a reference-host function (the scene's queries,
# the file writes and seeks, the memory and shell services) while the program runs, and writes
# one function name per line to the file named by the convenience variable $trace.
#   gdb -batch -ex 'set $trace="calls.txt"' -x scripts/host-call-trace.py --args PROGRAM ARGS...
import subprocess

import gdb

calls = []


class HostCall(gdb.Breakpoint):
    def __init__(self, symbol, name):
        super().__init__("*'" + symbol + "'", internal=True)
        self.name = name

    def stop(self):
        calls.append(self.name)
        return False


def host_functions(program):
    """(linkage name, readable name) of each host function defined in the program."""
    def symbols(*options):
        listing = subprocess.run(["nm", "--defined-only", *options, program],
                                 capture_output=True, text=True, check=True).stdout
        return [line.split(" ", 2) for line in listing.splitlines()]
    for raw, readable in zip(symbols(), symbols("-C")):
        if len(raw) < 3 or raw[1] not in "TtWw" or "." in raw[2]:
            continue
        if "THost" in readable[2]:
            yield raw[2], readable[2]


for symbol, name in host_functions(gdb.current_progspace().filename):
    HostCall(symbol, name)
gdb.execute("run")
with open(gdb.convenience_variable("trace").string(), "w") as out:
    out.write("".join(name + "\n" for name in calls))
