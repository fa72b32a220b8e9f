"""What the installed wheel carries besides the module: licence and type stubs."""

import importlib.metadata

import pytest


@pytest.fixture(scope="module")
def distribution():
    return importlib.metadata.distribution("spatial-assembler")


def test_the_licence_text_is_shipped(distribution):
    assert distribution.metadata["License-Expression"] == "MIT"
    licence = [f for f in distribution.files if f.name == "LICENSE"]
    assert licence and "MIT License" in licence[0].read_text() and "WITHOUT WARRANTY" in licence[0].read_text()


def test_the_stub_package_is_installed(distribution):
    stubs = {str(f) for f in distribution.files if str(f).endswith(".pyi")}
    assert "_spatial_assembler-stubs/__init__.pyi" in stubs
