#!/usr/bin/python3
"""Reads a workbook with openpyxl, a reader of its own, and prints each filled cell of its first sheet as
"R<row>C<column> <kind> <value>": kind "s" a text, "n" a number, "d" a date (value day.month.year, with
" hour:minute" when it has a time). The number format of each date follows after a tab."""
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1], read_only=True)
sheet = book.worksheets[0]
for row in sheet.iter_rows():
    for cell in row:
        if cell.value is None:
            continue
        at = 'R%dC%d' % (cell.row, cell.column)
        if cell.is_date:
            v = cell.value
            text = '%d.%d.%d' % (v.day, v.month, v.year)
            if v.hour or v.minute:
                text += ' %d:%02d' % (v.hour, v.minute)
            print('%s d %s\t%s' % (at, text, cell.number_format))
        elif isinstance(cell.value, (int, float)):
            print('%s n %s' % (at, cell.value))
        else:
            print('%s s %s' % (at, str(cell.value).replace('\n', '\\n')))
