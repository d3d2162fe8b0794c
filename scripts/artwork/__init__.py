"""Tiny deterministic raster artwork: a pixel canvas and writers for PNG, ICO and BMP."""
