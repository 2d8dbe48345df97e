"""A host that loads, uses and unloads the plug-in again and again in one
process (a settings change, disabling and enabling plug-ins) must not pay
for it: after the first loads have settled, hundreds more leave the process
with no more memory and handles than before. Measured as Wine reports them:
committed private memory, the busy bytes of all heaps, and open handles."""

import unittest

from harness import ATTACHMENT, Scenario, case_folder, ini_file, plugin_copy, run_host

SETTLING_CYCLES = 10
MEASURED_CYCLES = 300
MAX_MEMORY_GROWTH = 1 << 20
MAX_HANDLE_GROWTH = 20
# Wine's loader under an emulator takes seconds a cycle.
HOST_TIMEOUT_SECONDS = 1500


def wine_loader_is_emulated() -> bool:
    """Where the kernel cannot start i386 programs, Wine's loader runs under
    qemu, registered with binfmt_misc. The process's committed memory is then
    mostly the emulator's own, which grows with the code it translates anew
    at every load (about 300 KB a cycle, the same with or without a leak)."""
    try:
        with open("/proc/sys/fs/binfmt_misc/qemu-i386", encoding="ascii") as entry:
            return entry.readline().strip() == "enabled"
    except OSError:
        return False


class LifecycleTest(unittest.TestCase):
    def test_repeated_load_send_unload_leaves_nothing_behind(self):
        dll = plugin_copy(case_folder(self), ini=ini_file("添付"))
        scenario = Scenario()
        for cycles in (SETTLING_CYCLES, MEASURED_CYCLES):
            scenario.repeat(cycles)
            scenario.load(dll)
            scenario.body(ATTACHMENT)
            scenario.answer("ok")
            scenario.outgoing(1, 0)
            scenario.unload()
            scenario.end_repeat()
            scenario.usage()
        run = run_host(self, scenario, timeout=HOST_TIMEOUT_SECONDS)

        self.assertEqual(len(run.loads), SETTLING_CYCLES + MEASURED_CYCLES)
        self.assertTrue(all(load.ok for load in run.loads))
        self.assertEqual(len(run.calls), SETTLING_CYCLES + MEASURED_CYCLES)
        for call in run.calls:
            self.assertEqual((call.found, call.result, call.outstanding), ([ATTACHMENT], 0, 0))

        settled, after = run.usages
        growth = {
            "pagefile": after.pagefile - settled.pagefile,
            "heap": after.heap - settled.heap,
            "handles": after.handles - settled.handles,
        }
        figures = f"{settled} -> {after}"
        self.assertLess(growth["heap"], MAX_MEMORY_GROWTH, figures)
        self.assertLess(growth["handles"], MAX_HANDLE_GROWTH, figures)
        with self.subTest("committed memory"):
            if wine_loader_is_emulated():
                self.skipTest(f"measures the emulator, not the plug-in: {figures}")
            self.assertLess(growth["pagefile"], MAX_MEMORY_GROWTH, figures)


if __name__ == "__main__":
    unittest.main()
