#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""validate_mas.py SCHEMA_DIR BUNDLE DOCUMENT...

Validates MAS documents against a bundle of the format's schemas (BUNDLE
relative to SCHEMA_DIR, e.g. conformance/class-A.json); every $ref resolves
through the schemas of SCHEMA_DIR keyed by their $id, nothing is fetched.
Exit status 0 all valid, 1 one is not, 77 without the jsonschema module.
"""
import json
import os
import sys
import warnings


def refuse_remote(uri):
    raise LookupError("no schema %s in the local store" % uri)


def make_validator(jsonschema, root, store):
    try:  # newer jsonschema resolves through the referencing library
        from referencing import Registry, Resource
        registry = Registry(retrieve=refuse_remote).with_resources(
            (uri, Resource.from_contents(schema)) for uri, schema in store.items())
        return jsonschema.Draft202012Validator(root, registry=registry)
    except ImportError:  # Debian 12's jsonschema 4.10
        resolver = jsonschema.RefResolver.from_schema(
            root, store=store, handlers={"http": refuse_remote, "https": refuse_remote})
        return jsonschema.Draft202012Validator(root, resolver=resolver)


def main():
    try:
        import jsonschema
    except ImportError:
        print("the Python module jsonschema (Debian: python3-jsonschema) is missing")
        return 77
    schema_dir, bundle, documents = sys.argv[1], sys.argv[2], sys.argv[3:]
    store = {}
    for folder, _, files in os.walk(schema_dir):
        for name in (n for n in files if n.endswith(".json")):
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                schema = json.load(f)
            store[schema["$id"]] = schema
    with open(os.path.join(schema_dir, bundle), encoding="utf-8") as f:
        root = json.load(f)
    failed = 0
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", DeprecationWarning)
        validator = make_validator(jsonschema, root, store)
        for path in documents:
            with open(path, encoding="utf-8") as f:
                errors = list(validator.iter_errors(json.load(f)))
            failed += bool(errors)
            for error in errors[:3]:
                print("%s at /%s: %s" % (path, "/".join(map(str, error.absolute_path)), error.message[:300]))
    print("%d of %d documents valid against %s" % (len(documents) - failed, len(documents), bundle))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
