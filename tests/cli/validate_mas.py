#!/usr/bin/env python3
"""Validates MAS documents against a schema bundle of the format.

    validate_mas.py SCHEMA_DIR BUNDLE DOCUMENT...

SCHEMA_DIR holds the format's schemas; BUNDLE is one of them, relative to it
("conformance/class-A.json"). Every $ref is resolved through a store of the
schemas read from SCHEMA_DIR, keyed by their $id, so nothing is fetched.
Prints one line per invalid document and its first errors. Exit status 0 when
every document is valid, 1 when one is not, 77 when the jsonschema module is
missing (the caller skips).
"""
import json
import os
import sys
import warnings

SKIP = 77
ERRORS_SHOWN = 3


def load_store(schema_dir):
    store = {}
    for folder, _, files in os.walk(schema_dir):
        for name in files:
            if name.endswith(".json"):
                with open(os.path.join(folder, name), encoding="utf-8") as f:
                    schema = json.load(f)
                store[schema["$id"]] = schema
    return store


def refuse_remote(uri):
    raise LookupError("no schema %s in the local store" % uri)


def make_validator(jsonschema, root, store):
    """A 2020-12 validator whose $refs resolve only through the store."""
    try:
        # Newer jsonschema resolves through the referencing library.
        from referencing import Registry, Resource
        registry = Registry(retrieve=refuse_remote).with_resources(
            (uri, Resource.from_contents(schema)) for uri, schema in store.items())
        return jsonschema.Draft202012Validator(root, registry=registry)
    except ImportError:
        # Debian 12's jsonschema (4.10): a RefResolver with the store.
        resolver = jsonschema.RefResolver.from_schema(
            root, store=store, handlers={"http": refuse_remote, "https": refuse_remote})
        return jsonschema.Draft202012Validator(root, resolver=resolver)


def main():
    try:
        import jsonschema
    except ImportError:
        print("the Python module jsonschema (Debian: python3-jsonschema) is missing")
        return SKIP
    schema_dir, bundle, documents = sys.argv[1], sys.argv[2], sys.argv[3:]
    store = load_store(schema_dir)
    with open(os.path.join(schema_dir, bundle), encoding="utf-8") as f:
        root = json.load(f)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", DeprecationWarning)
        validator = make_validator(jsonschema, root, store)
        failed = 0
        for path in documents:
            with open(path, encoding="utf-8") as f:
                document = json.load(f)
            errors = list(validator.iter_errors(document))
            if errors:
                failed += 1
                print("%s: %d errors" % (path, len(errors)))
                for error in errors[:ERRORS_SHOWN]:
                    print("  at /%s: %s" % ("/".join(map(str, error.absolute_path)), error.message[:300]))
    print("%d of %d documents valid against %s" % (len(documents) - failed, len(documents), bundle))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
