"""Whether the plug-in agrees to run in a host: the required host functions
and the version gate on BKA_SetStatus."""

import unittest

from harness import Scenario, case_folder, plugin_copy, run_host

# host variant (the functions it leaves out), version text, loads
CASES = [
    ("testhost", "2.00.06", True),
    ("testhost_no_setstatus", "2.00.06", False),
    ("testhost_no_setstatus", "2.00.07", False),
    ("testhost_no_setstatus", "2.00.05", True),
    ("testhost", "2.00.05a", True),
    ("testhost_no_setstatus", "2.00.05a", False),
    # Texts are compared, not numbers: "10.0.0" sorts before "2.00.06" ...
    ("testhost_no_setstatus", "10.0.0", True),
    # ... but eight characters always count as new.
    ("testhost", "10.00.00", True),
    ("testhost_no_setstatus", "10.00.00", False),
    ("testhost_no_setstatus", "", True),
    ("testhost_no_nextunread", "2.00.06", True),
    ("testhost_no_command", "2.00.06", False),
    ("testhost_no_connect", "2.00.06", False),
    ("testhost_no_connect", "2.00.05", False),
]


class HostBindingTest(unittest.TestCase):
    def test_load_or_refuse(self):
        dll = plugin_copy(case_folder(self))
        for host in sorted({case[0] for case in CASES}):
            rows = [(version, loads) for name, version, loads in CASES if name == host]
            scenario = Scenario()
            for version, _ in rows:
                scenario.version(version)
                scenario.load(dll)
                scenario.unload()
            run = run_host(self, scenario, host=host)
            for (version, loads), load in zip(rows, run.loads, strict=True):
                with self.subTest(host=host, version=version):
                    self.assertEqual(load.ok, loads)
            with self.subTest(host=host):
                # A refusal is silent.
                self.assertEqual(run.boxes, [])

    def test_missing_required_function_refuses_before_asking_the_version(self):
        dll = plugin_copy(case_folder(self))
        for host in ("testhost_no_command", "testhost_no_connect"):
            scenario = Scenario()
            scenario.load(dll)
            load = run_host(self, scenario, host=host).load(0)
            with self.subTest(host=host):
                self.assertFalse(load.ok)
                self.assertFalse(load.version_asked)


if __name__ == "__main__":
    unittest.main()
